# Sourced by every script that runs Windows programs: the one place that
# starts a virtual display, sets the Wine environment and starts a copy of
# the program.
#   wine_display_start [GEOMETRY]  a virtual display, unless DISPLAY names one;
#                                  with QUILMAR_MONITORS set, always one of
#                                  its own with those monitors
#   wine_display_end
#   wine_monitors_set LAYOUT       plugs in, takes away or moves the monitors
#                                  of such a display (tools/set-monitors.sh)
#   wine_env PREFIX                the Wine environment for a prefix
#   wine_session_start [GEOMETRY]  a display and a fresh prefix cloned from
#                                  the template, in session_dir; with
#                                  QUILMAR_DPI set, at that system DPI
#   quilmar_start [FOLDER]         quilmar.exe in the background from a
#                                  folder of its own (quilmar_dir, quilmar_pid)
#   quilmar_drive VERB [ARGS...]   the drive tool on the session's programs
#   wine_session_end               ends and removes all of the session
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Wine takes its code pages from the locale: the same one everywhere.
export LC_ALL=C.UTF-8

wine_display_start() {  # [SCREEN_GEOMETRY]
  session_xvfb=
  if [ -n "${QUILMAR_MONITORS:-}" ]; then
    wine_monitors_start "$QUILMAR_MONITORS"
    return
  fi
  [ -z "${DISPLAY:-}" ] || return 0
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp 3>"$number" 2>/dev/null &
  session_xvfb=$!
  for _ in $(seq 300); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$number")
  rm -f "$number"
  [ "$DISPLAY" != : ] || { echo "the virtual display did not start" >&2; return 1; }
}

wine_display_end() {
  [ -n "${session_xvfb:-}" ] || return 0
  kill "$session_xvfb" 2>/dev/null || true
  wait "$session_xvfb" 2>/dev/null || true
  rm -rf "${session_xorg_dir:-}"
}

# Xvfb gives Wine one monitor however its screens are arranged; Xorg's dummy
# driver offers RandR outputs DUMMY0 to DUMMY15 that Wine sees as monitors.
# LAYOUT: WxH+X+Y for each monitor, comma-separated, in X's coordinates (no
# negative ones); the one marked *WxH+X+Y is the primary, else the first.
# Wine puts the primary at (0,0). Each place in the list is one output, from
# one layout to the next: after an output had changed its size under a
# full-screen window, Wine's desktop process was seen to answer no message
# until the next change. So a test changes the primary with the mark, and
# plugs monitors in and out at the end of the list.
wine_monitors_start() {  # LAYOUT
  session_xorg_dir=$(mktemp -d /tmp/quilmar-xorg.XXXXXX)
  cat >"$session_xorg_dir/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 192000
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
  EndSubSection
EndSection
CONF
  local number=$session_xorg_dir/number
  : >"$number"
  Xorg -displayfd 3 -config "$session_xorg_dir/xorg.conf" -noreset -nolisten tcp \
    -logfile "$session_xorg_dir/xorg.log" -novtswitch -sharevts 3>"$number" >/dev/null 2>&1 &
  session_xvfb=$!
  for _ in $(seq 300); do [ -s "$number" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$number")
  [ "$DISPLAY" != : ] || { echo "the monitors' display did not start" >&2; return 1; }
  wine_monitors_set "$1"
}

wine_monitors_set() {  # LAYOUT
  local args=() output=0 monitor size mode primary=0
  IFS=, read -ra monitors <<<"$1"
  [[ "$1" != *'*'* ]] || primary=-1
  for monitor in "${monitors[@]}"; do
    [ "${monitor#\*}" = "$monitor" ] || { monitor=${monitor#\*}; primary=$output; }
    size=${monitor%%+*}
    mode=quilmar$size
    # Adding a mode the server has already is refused: harmless.
    # shellcheck disable=SC2046
    xrandr --newmode "$mode" $(gtf "${size%x*}" "${size#*x}" 60 | sed -n 's/.*Modeline "[^"]*"//p') 2>/dev/null || true
    xrandr --addmode DUMMY$output "$mode" 2>/dev/null || true
    args+=(--output DUMMY$output --mode "$mode" --pos "$(echo "${monitor#*+}" | tr + x)")
    [ $output -ne $primary ] || args+=(--primary)
    output=$((output + 1))
  done
  for ((; output < 16; output++)); do args+=(--output DUMMY$output --off); done
  xrandr "${args[@]}"
  # Until a full query makes the server probe its outputs, Wine reads the
  # old layout.
  xrandr >/dev/null
}

wine_env() {  # PREFIX
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe="
}

wine_session_start() {  # [SCREEN_GEOMETRY]
  session_dir=$(mktemp -d /tmp/quilmar-wine.XXXXXX)
  wine_display_start "$@"

  local template=${QUILMAR_WINE_TEMPLATE:-$here/../build/wine-template}
  if [ ! -d "$template" ]; then
    flock "$template.lock" bash -c "[ -d '$template' ] || '$here/make-wine-template.sh' '$template'"
  fi
  # Hard links keep the clone cheap; the files Wine rewrites are copied.
  local prefix=$session_dir/prefix f
  cp -al "$template" "$prefix"
  for f in "$prefix"/*.reg "$prefix"/drive_c/windows/*.ini; do
    cp --remove-destination "$template/${f#"$prefix"/}" "$f"
  done
  rm -rf "$prefix/drive_c/users" && cp -a "$template/drive_c/users" "$prefix/drive_c/users"
  wine_env "$prefix"
  [ -z "${QUILMAR_DPI:-}" ] || wine_dpi "$prefix" "$QUILMAR_DPI"
}

# Wine reads the system DPI when its server starts: set it, then let that
# server end before the session's programs start it anew.
wine_dpi() {  # PREFIX DPI
  WINEPREFIX=$1 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  WINEPREFIX=$1 wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
}

# FOLDER holds the program already (an unpacked archive), or gets the
# built program copied in first (without a config.ini a run of dist/quilmar
# may have left); without it the copy goes to session_dir/app.
quilmar_start() {  # [FOLDER]
  quilmar_dir=${1:-$session_dir/app}
  if [ ! -f "$quilmar_dir/quilmar.exe" ]; then
    mkdir -p "$quilmar_dir"
    cp "$here/../dist/quilmar/quilmar.exe" "$here/../dist/quilmar/TaskKeyHook.dll" "$quilmar_dir"
  fi
  wine "$quilmar_dir/quilmar.exe" >>"$session_dir/quilmar.log" 2>&1 &
  quilmar_pid=$!
}

quilmar_drive() {  # VERB [ARGS...]
  wine "$here/../build/win/tests/support/quilmar-drive.exe" "$@"
}

wine_session_end() {
  # Only the session's own prefix: never a server the caller may use.
  [ ! -d "${session_dir:-}/prefix" ] || WINEPREFIX=$session_dir/prefix wineserver -k 2>/dev/null || true
  wine_display_end
  rm -rf "$session_dir"
}
