# Sourced by the end-to-end test scripts: a Wine session of their own (fresh
# prefix, private virtual display) and the drive tool, given as the script's
# first argument.
drive_exe=$1
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
. tools/wine-session.sh
unset DISPLAY
wine_session_start
trap wine_session_end EXIT

fail() { echo "FAILED: $*"; exit 1; }
drive() { wine "$drive_exe" "$@" >>"$session_dir/drive.log" 2>&1 || fail "drive $*: $(cat "$session_dir/drive.log")"; }
