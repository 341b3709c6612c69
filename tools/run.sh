#!/usr/bin/env bash
# Runs the locker under Wine. With a display (DISPLAY set) it simply starts
# it there. Without one it runs a whole lock on a virtual screen, saving
# screenshots in dist/screenshots, and unlocks again by itself.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install.sh
tools/build.sh win >/dev/null
. tools/wine-session.sh

if [ -n "${DISPLAY:-}" ]; then
  # A prefix of its own, with the fonts the Chinese dialogs need.
  prefix=$PWD/build/wine-run
  [ -d "$prefix" ] || tools/make-wine-template.sh "$prefix"
  wine_env "$prefix"
  exec wine dist/quilmar/quilmar.exe
fi

wine_session_start 1024x768x24
trap wine_session_end EXIT
shots=$PWD/dist/screenshots
mkdir -p "$shots"
drive() { quilmar_drive "$@" >"$session_dir/drive.log" 2>&1; }
shot() { import -window root -depth 8 "$shots/$1.png"; echo "  saved dist/screenshots/$1.png"; }

# A copy of the portable folder, so the demonstration leaves dist/quilmar as built.
echo "Locking the virtual screen $DISPLAY ..."
quilmar_start

drive wait-settings
sleep 1  # let it finish painting for the picture
shot settings
echo "Typing the password \"demo\" twice and accepting the settings ..."
drive fill-settings demo
drive wait-lock
sleep 2  # let the clock run a little for the picture
shot locked
echo "Pressing Escape for the unlock prompt ..."
drive show-prompt
sleep 1
shot unlock
echo "Unlocking with the password ..."
drive unlock demo
wait "$quilmar_pid"
echo "Unlocked; the program has ended. config.ini it wrote:"
sed 's/^/  /' "$quilmar_dir/config.ini"
