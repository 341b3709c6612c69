#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh prefix, on the display in
# DISPLAY or a private virtual one, and removes the prefix and every Wine
# process of it afterwards. CTest runs the Windows tests through this.
# Usage: wine-exec.sh PROGRAM.exe [ARGS...]
set -euo pipefail
. "$(dirname "$0")/wine-session.sh"
wine_session_start
trap wine_session_end EXIT

# Wine's background processes keep inherited pipes open: the program writes
# to a file, which is followed until the program ends, so that a test that
# runs out of time still shows how far it got. The file is made first: the
# program started in the background may create it only after tail looks.
status=0
: >"$session_dir/out"
wine "$@" >"$session_dir/out" 2>&1 &
program=$!
tail -n +1 -f --pid=$program "$session_dir/out"
wait $program || status=$?
exit $status
