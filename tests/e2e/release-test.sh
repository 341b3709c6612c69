#!/usr/bin/env bash
# The release archive, unpacked into a fresh folder, locks and unlocks.
# Usage: release-test.sh QUILMAR-DRIVE.EXE ARCHIVE.zip
set -euo pipefail
archive=$2
. "$(dirname "$0")/script-session.sh"

unzip -q "$archive" -d "$session_dir/unpacked"
folder=$(echo "$session_dir"/unpacked/quilmar-*-win64)
[ -f "$folder/README.txt" ] || fail "no read-me in the archive"
quilmar_start "$folder"
drive wait-settings
drive fill-settings release
drive show-prompt
drive unlock release
wait "$quilmar_pid"
[ -f "$folder/config.ini" ] || fail "no config.ini written next to the program"
echo "PASSED: $(basename "$archive") runs from a fresh folder, locks and unlocks"
