#!/usr/bin/env bash
# Runs a Windows program under Wine in a fresh prefix cloned from the
# template, on the display in DISPLAY (or a private virtual one), and
# removes the prefix and every Wine process of it afterwards.
# Usage: wine-exec.sh PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=${QUILMAR_WINE_TEMPLATE:-$here/../build/wine-template}

work=$(mktemp -d /tmp/quilmar-wine.XXXXXX)
xvfb_pid=
cleanup() {
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$work/display")
fi

if [ ! -d "$template" ]; then
  flock "$template.lock" bash -c "[ -d '$template' ] || '$here/make-wine-template.sh' '$template'"
fi

# Hard links keep the clone cheap; the files Wine rewrites are copied.
cp -al "$template" "$work/prefix"
for f in "$work"/prefix/*.reg; do cp --remove-destination "$template/$(basename "$f")" "$f"; done
rm -rf "$work/prefix/drive_c/users" && cp -a "$template/drive_c/users" "$work/prefix/drive_c/users"
for f in "$work"/prefix/drive_c/windows/*.ini; do cp --remove-destination "$template/drive_c/windows/$(basename "$f")" "$f"; done

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe="
# Wine's background processes keep inherited pipes open: collect the output
# in a file and print it once the program has ended.
status=0
wine "$@" >"$work/out" 2>&1 || status=$?
cat "$work/out"
exit $status
