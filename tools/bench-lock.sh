#!/usr/bin/env bash
# What a lock costs and how true its clock keeps, under Wine, on a virtual
# screen of 1920 x 1080 unless another size is given:
#  - CPU time of the quilmar.exe process per second of wall time, locked
#    for 30 s, and of the wineserver of the session's prefix and the X
#    server, which do work on its behalf;
#  - the clock's drift over 60 s while busy loops keep every core loaded.
# Usage: bench-lock.sh [CPU_SECONDS [DRIFT_SECONDS [WIDTHxHEIGHT]]]
set -euo pipefail
cd "$(dirname "$0")/.."
cpu_seconds=${1:-30}
drift_seconds=${2:-60}
screen=${3:-1920x1080}
tools/build.sh win >/dev/null

. tools/wine-session.sh
unset DISPLAY
wine_session_start "${screen}x24"
busy=()
cleanup() { [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null; wine_session_end; }
trap cleanup EXIT
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Other engineers' Wine sessions have wineservers of their own: ours is the
# one started for this session's prefix.
wineserver_pid() {
  local pid
  for pid in $(pgrep -u "$(id -u)" wineserver); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
  echo "bench-lock: no wineserver for $WINEPREFIX" >&2
  return 1
}

quilmar_start
quilmar_drive wait-settings
quilmar_drive fill-settings bench
sleep 2  # past the repaints of accepting the settings
server=$(wineserver_pid)

hz=$(getconf CLK_TCK)
start=$(date +%s.%N); lock0=$(ticks "$quilmar_pid"); server0=$(ticks "$server"); x0=$(ticks "$session_xvfb")
sleep "$cpu_seconds"
end=$(date +%s.%N); lock1=$(ticks "$quilmar_pid"); server1=$(ticks "$server"); x1=$(ticks "$session_xvfb")
awk -v l="$((lock1 - lock0))" -v w="$((server1 - server0))" -v x="$((x1 - x0))" -v hz="$hz" \
    -v s="$start" -v e="$end" -v screen="$screen" 'BEGIN {
  wall = e - s
  printf "locked %.1f s at %s: quilmar.exe %.2f %% of one core (%.1f ms CPU per s), wineserver %.2f %%, X server %.2f %%\n",
         wall, screen, 100 * l / hz / wall, 1000 * l / hz / wall, 100 * w / hz / wall, 100 * x / hz / wall }'

for _ in $(seq "$(nproc)"); do (while :; do :; done) & busy+=($!); done
echo "drift over $drift_seconds s with $(nproc) busy loops on $(nproc) cores:"
quilmar_drive clock-drift "$drift_seconds"
