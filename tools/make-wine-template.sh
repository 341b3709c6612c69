#!/usr/bin/env bash
# Makes a Wine prefix to clone for each test: fonts for the Chinese dialogs,
# no window manager waits, desktop folders that stay inside the prefix.
# Usage: make-wine-template.sh DIR   (needs DISPLAY)
set -euo pipefail
dir=$1
tmp=$dir.tmp.$$
rm -rf "$tmp"
mkdir -p "$(dirname "$dir")"

. "$(dirname "$0")/wine-session.sh"
wine_env "$tmp"
wine wineboot -i >"$tmp.log" 2>&1

reg=$(mktemp)
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
  '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
  '"宋体"="WenQuanYi Micro Hei"' \
  '"SimSun"="WenQuanYi Micro Hei"' \
  '"MS Sans Serif"="WenQuanYi Micro Hei"' '' \
  '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' \
  '"Managed"="N"' '' \
  '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]' \
  '"winemenubuilder.exe"=""' '' |
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg.reg"
wine regedit /S "$(winepath -w "$reg.reg")" >>"$tmp.log" 2>&1
rm -f "$reg" "$reg.reg"
wineserver -w

# A new prefix links Desktop, Documents and the like to $HOME.
for link in "$tmp"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
done

rm -f "$tmp.log"
rm -rf "$dir"
mv "$tmp" "$dir"
