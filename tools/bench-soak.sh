#!/usr/bin/env bash
# What a long lock holds on to, under Wine on a 1920 x 1080 screen: the
# resident memory (VmRSS) and the GDI and USER objects of quilmar.exe,
# locked in background mode 0, and of a bare full-screen window that
# changes ten times a second the way the clock does, run beside it in the
# same session. What the bare window gains is Wine's own.
# Usage: bench-soak.sh [MINUTES...]   (the moments after locking to report;
#                                      1 10 30 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
marks=("$@")
[ $# -gt 0 ] || marks=(1 10 30)
tools/build.sh win >/dev/null

. tools/wine-session.sh
unset DISPLAY
wine_session_start 1920x1080x24
trap wine_session_end EXIT

# The bare window first: it is up by the time the settings are accepted.
wine build/win/tests/bench/bare_window.exe tick >>"$session_dir/bare.log" 2>&1 &
bare_pid=$!
quilmar_start
quilmar_drive wait-settings
quilmar_drive fill-settings bench
locked=$(date +%s)

rss() { awk '/^VmRSS/ {printf "%.1f MiB", $2 / 1024}' "/proc/$1/status"; }
sample() {  # LABEL
  printf '%-8s quilmar.exe %s, %s | bare window %s, %s\n' "$1" \
    "$(rss "$quilmar_pid")" "$(quilmar_drive gui-objects quilmar.exe)" \
    "$(rss "$bare_pid")" "$(quilmar_drive gui-objects bare_window.exe)"
}

sample locked
for minutes in "${marks[@]}"; do
  wait_until=$((locked + minutes * 60))
  now=$(date +%s)
  [ "$now" -ge "$wait_until" ] || sleep $((wait_until - now))
  sample "${minutes} min"
done
