# Sourced by the scripts that run Windows programs: a virtual display (unless
# one is given) and a fresh Wine prefix cloned from the template, both
# removed again by wine_session_end.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Wine takes its code pages from the locale: the same one everywhere.
export LC_ALL=C.UTF-8

wine_session_start() {  # [SCREEN_GEOMETRY]
  session_dir=$(mktemp -d /tmp/quilmar-wine.XXXXXX)
  session_xvfb=
  if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp 3>"$session_dir/display" 2>/dev/null &
    session_xvfb=$!
    for _ in $(seq 100); do [ -s "$session_dir/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$session_dir/display")
  fi

  local template=${QUILMAR_WINE_TEMPLATE:-$here/../build/wine-template}
  if [ ! -d "$template" ]; then
    flock "$template.lock" bash -c "[ -d '$template' ] || '$here/make-wine-template.sh' '$template'"
  fi
  # Hard links keep the clone cheap; the files Wine rewrites are copied.
  local prefix=$session_dir/prefix f
  cp -al "$template" "$prefix"
  for f in "$prefix"/*.reg "$prefix"/drive_c/windows/*.ini; do
    cp --remove-destination "$template/${f#"$prefix"/}" "$f"
  done
  rm -rf "$prefix/drive_c/users" && cp -a "$template/drive_c/users" "$prefix/drive_c/users"

  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe="
}

wine_session_end() {
  wineserver -k 2>/dev/null || true
  [ -n "$session_xvfb" ] && kill "$session_xvfb" 2>/dev/null
  rm -rf "$session_dir"
}
