#!/usr/bin/env bash
# Runs the locker under Wine. With a display (DISPLAY set) it simply starts
# it there. Without one it runs a whole lock on a virtual screen, saving
# screenshots in dist/screenshots, and unlocks again by itself; then a
# second lock with a message for whoever comes by.
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

# The message is Chinese, kept in code page 936 as on the systems the
# program is made for: this lock runs in a Chinese locale, which Wine takes
# its code pages from (compiled into build/ once).
echo "Locking again with a message in config.ini ..."
locales=$PWD/build/locale
[ -d "$locales/zh_CN.UTF-8" ] || { mkdir -p "$locales" && localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8"; }
message=$session_dir/message
mkdir -p "$message"
cp dist/quilmar/quilmar.exe dist/quilmar/TaskKeyHook.dll "$message"
{
  printf '[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\nmessage='
  printf '%s' '午饭时间，14:00 回来。急事请拨 138 0013 8000' | iconv -f UTF-8 -t CP936
  printf '\r\n'
} >"$message/config.ini"
env LOCPATH="$locales" LC_ALL=zh_CN.UTF-8 wine "$message/quilmar.exe" >>"$session_dir/quilmar.log" 2>&1 &
quilmar_pid=$!
drive wait-settings
drive fill-settings demo
drive wait-lock
sleep 2  # the clock again, and the message above it
shot locked-message
drive unlock demo
wait "$quilmar_pid"
echo "Unlocked again."
