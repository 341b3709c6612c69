#!/usr/bin/env bash
# The prompt's shutdown button shuts the system down at once, without the
# password: under Wine the other programs of the session end (a notepad is
# the witness), and the lock gives everything back as the session ends, so
# the next logon finds Task Manager allowed. Where the settings do not allow
# it, the button's command sent or posted by another program shuts nothing
# down. Runs in a throwaway prefix of its own.
# Usage: shutdown-test.sh QUILMAR-DRIVE.EXE
set -euo pipefail
. "$(dirname "$0")/script-session.sh"
policy_set() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\System' /v DisableTaskMgr >/dev/null 2>&1; }
policy_gone() { ! policy_set; }
wait_until() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
notepad_running() { kill -0 "$notepad" 2>/dev/null; }
lock_in_app() {  # BALLOWSHUTDOWN
  printf '[user]\r\nbgmode=1\r\nbdisablescreensafe=0\r\nballowshutdown=%s\r\n' "$1" >"$app/config.ini"
  quilmar_start "$app"
  drive wait-settings
  drive fill-settings pw
  drive show-prompt
}

app=$session_dir/app
mkdir "$app"
wine notepad >/dev/null 2>&1 &
notepad=$!

lock_in_app 0
drive shutdown-command
# A shutdown begun would end the notepad within a few seconds.
for _ in $(seq 100); do notepad_running || fail "the shutdown command obeyed though shutdown is not allowed"; sleep 0.1; done
# The posted command comes before the typed password.
drive unlock pw
wait "$quilmar_pid" || true
notepad_running || fail "the posted shutdown command obeyed though shutdown is not allowed"

lock_in_app 1
notepad_running || fail "notepad ended before the shutdown"
drive shutdown
wait_until bash -c "! kill -0 $notepad 2>/dev/null" || fail "notepad still running after the shutdown"
wait_until policy_gone || fail "the Task Manager policy value outlived the shutdown"
echo "PASSED: the shutdown command obeyed only where allowed; shutdown ended the session's programs and gave the policy value back"
