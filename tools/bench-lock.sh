#!/usr/bin/env bash
# What a lock costs, held against its yardstick: in one Wine session on a
# virtual screen (1920 x 1080 unless another size is given), in turns, the
# bare full-screen window that changes a digit-sized picture ten times a
# second (tests/bench/BareWindow.cpp with "tick") and the lock in background
# mode 1, each measured for SECONDS once it has settled. Counted for the
# lock: quilmar.exe and its watchdog's rundll32; for both: the share of the
# session's wineserver, which works on their behalf. The X server's share is
# shown beside them. Then the medians over the rounds and their ratio.
# With DRIFT_SECONDS, the clock's drift over that time follows, while busy
# loops keep every core loaded.
# Usage: bench-lock.sh [SECONDS [ROUNDS [WIDTHxHEIGHT [DRIFT_SECONDS]]]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
rounds=${2:-3}
screen=${3:-1920x1080}
drift_seconds=${4:-0}
tools/build.sh win quilmar TaskKeyHook quilmar-drive bare_window >/dev/null

. tools/wine-session.sh
unset DISPLAY
wine_session_start "${screen}x24"
busy=()
cleanup() { [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null; wine_session_end; }
trap cleanup EXIT

# CPU time in nanoseconds of the processes given, all their threads; a
# process that has gone counts nothing.
cpu_ns() {
  local pid total=0 task
  for pid in "$@"; do
    for task in /proc/"$pid"/task/*/schedstat; do
      [ -r "$task" ] && total=$((total + $(cut -d' ' -f1 "$task" 2>/dev/null || echo 0)))
    done
  done
  echo "$total"
}
# The processes of the session's prefix whose command line holds PATTERN:
# other engineers run Wine too, in prefixes of their own.
prefix_pids() {  # PATTERN
  local pid
  for pid in $(pgrep -u "$(id -u)" -f "$1"); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
    fi
  done
}
# The CPU share in per cent of one core of the processes in $1, $2 and $3
# (lists of pids: the program and its helpers, the wineserver, the X
# server) over `seconds`, as "program wineserver X".
measure() {
  local start end p0 w0 x0 p1 w1 x1
  start=$(date +%s%N); p0=$(cpu_ns $1); w0=$(cpu_ns $2); x0=$(cpu_ns $3)
  sleep "$seconds"
  end=$(date +%s%N); p1=$(cpu_ns $1); w1=$(cpu_ns $2); x1=$(cpu_ns $3)
  awk -v p=$((p1 - p0)) -v w=$((w1 - w0)) -v x=$((x1 - x0)) -v wall=$((end - start)) \
    'BEGIN { printf "%.3f %.3f %.3f\n", 100 * p / wall, 100 * w / wall, 100 * x / wall }'
}

bare_turn() {
  wine build/win/tests/bench/bare_window.exe tick >>"$session_dir/bare.log" 2>&1 &
  local bare=$!
  sleep 3  # past its start and the taskbar's
  read -r p w x < <(measure "$bare" "$(prefix_pids wineserver)" "$session_xvfb")
  kill "$bare"
  wait "$bare" 2>/dev/null || true
  bare_results+=("$(awk -v p="$p" -v w="$w" 'BEGIN { print p + w }')")
  printf 'round %d  bare window  %.2f %% + wineserver %.2f %% = %.2f %%   (X server %.2f %%)\n' \
    "$round" "$p" "$w" "${bare_results[-1]}" "$x"
}

lock_turn() {
  quilmar_dir=$session_dir/app$round
  quilmar_start "$quilmar_dir"
  quilmar_drive wait-settings
  quilmar_drive fill-settings bench
  sleep 3  # past the repaints of accepting the settings
  local helpers
  helpers=$(prefix_pids 'rundll32.*TaskKeyHook')
  [ -n "$helpers" ] || echo "bench-lock: no watchdog found" >&2
  read -r p w x < <(measure "$quilmar_pid $helpers" "$(prefix_pids wineserver)" "$session_xvfb")
  lock_results+=("$(awk -v p="$p" -v w="$w" 'BEGIN { print p + w }')")
  printf 'round %d  lock         %.2f %% + wineserver %.2f %% = %.2f %%   (X server %.2f %%; %d watchdog process(es))\n' \
    "$round" "$p" "$w" "${lock_results[-1]}" "$x" "$(echo $helpers | wc -w)"
  quilmar_drive unlock bench
  wait "$quilmar_pid" 2>/dev/null || true
  # Its watchdog ends with it.
  while [ -n "$(prefix_pids 'rundll32.*TaskKeyHook')" ]; do sleep 0.2; done
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "CPU in % of one core, ${seconds} s per turn at $screen, load average $(cut -d' ' -f1-3 /proc/loadavg)"
bare_results=() lock_results=()
# Turns in alternating order, so that neither always follows the other.
for round in $(seq "$rounds"); do
  if [ $((round % 2)) -eq 1 ]; then bare_turn; lock_turn; else lock_turn; bare_turn; fi
done
bare=$(median "${bare_results[@]}") lock=$(median "${lock_results[@]}")
awk -v b="$bare" -v l="$lock" -v n="$rounds" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
  printf "medians of %d rounds: lock %.2f %%, bare window %.2f %%: ratio %.2f (load average now %s)\n", n, l, b, l / b, load }'

[ "$drift_seconds" -gt 0 ] || exit 0
quilmar_start "$session_dir/drift"
quilmar_drive wait-settings
quilmar_drive fill-settings bench
for _ in $(seq "$(nproc)"); do (while :; do :; done) & busy+=($!); done
echo "drift over $drift_seconds s with $(nproc) busy loops on $(nproc) cores:"
quilmar_drive clock-drift "$drift_seconds"
