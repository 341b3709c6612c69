#!/usr/bin/env bash
# The desktop shortcut read back by a parser of our own choosing rather than
# the shell that wrote it (lnkinfo, from liblnk-utils): made from the
# settings dialog's menu with a click and keys, it is Quilmar.LNK on the
# desktop, names quilmar.exe in the program's folder and says "Quilmar".
# Runs in a throwaway prefix of its own.
# Usage: shortcut-lnkinfo-test.sh QUILMAR-DRIVE.EXE
set -euo pipefail
. "$(dirname "$0")/script-session.sh"
field() { sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" <<<"$info"; }

quilmar_start
drive wait-settings
drive create-shortcut

desktop=$WINEPREFIX/drive_c/users/$(id -un)/Desktop
[ "$(ls "$desktop")" = Quilmar.LNK ] || fail "the desktop holds: $(ls "$desktop")"
info=$(lnkinfo "$desktop/Quilmar.LNK")
target="$(winepath -w "$quilmar_dir" 2>/dev/null)\\quilmar.exe"
[ "$(field 'Local path')" = "$target" ] || fail "target $(field 'Local path'), not $target"
[ "$(field 'Description')" = Quilmar ] || fail "description $(field 'Description')"
echo "PASSED: Quilmar.LNK points at $target, described as Quilmar"
