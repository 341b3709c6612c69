# Sourced by every script that runs Windows programs: the one place that
# starts a virtual display, sets the Wine environment and starts a copy of
# the program.
#   wine_display_start [GEOMETRY]  a virtual display, unless DISPLAY names one
#   wine_display_end
#   wine_env PREFIX                the Wine environment for a prefix
#   wine_session_start [GEOMETRY]  a display and a fresh prefix cloned from
#                                  the template, in session_dir
#   quilmar_start [FOLDER]         quilmar.exe in the background from a
#                                  folder of its own (quilmar_dir, quilmar_pid)
#   quilmar_drive VERB [ARGS...]   the drive tool on the session's programs
#   wine_session_end               ends and removes all of the session
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Wine takes its code pages from the locale: the same one everywhere.
export LC_ALL=C.UTF-8

wine_display_start() {  # [SCREEN_GEOMETRY]
  session_xvfb=
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
