#!/usr/bin/env bash
# Start-up time of the lock against a bare one-window program (median of 20
# runs each, in the same Wine session), the lock's peak working set, and the
# size of the portable folder's two files.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh win >/dev/null
tools/wine-exec.sh build/win/tests/bench/startup_bench.exe "${1:-20}"
size() { stat -c %s "dist/quilmar/$1"; }
awk -v exe="$(size quilmar.exe)" -v dll="$(size TaskKeyHook.dll)" 'BEGIN {
  printf "footprint: quilmar.exe %.0f KiB + TaskKeyHook.dll %.0f KiB = %.0f KiB\n", exe / 1024, dll / 1024, (exe + dll) / 1024 }'
