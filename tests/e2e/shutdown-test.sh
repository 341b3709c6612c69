#!/usr/bin/env bash
# The prompt's shutdown button shuts the system down at once, without the
# password: under Wine the other programs of the session end (a notepad is
# the witness), and the lock gives everything back as the session ends, so
# the next logon finds Task Manager allowed. Runs in a throwaway prefix of
# its own.
# Usage: shutdown-test.sh QUILMAR-DRIVE.EXE
set -euo pipefail
. "$(dirname "$0")/script-session.sh"
policy_set() { wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\System' /v DisableTaskMgr >/dev/null 2>&1; }
policy_gone() { ! policy_set; }
wait_until() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }

app=$session_dir/app
mkdir "$app"
printf '[user]\r\nbgmode=1\r\nbdisablescreensafe=0\r\nballowshutdown=1\r\n' >"$app/config.ini"

wine notepad >/dev/null 2>&1 &
notepad=$!
quilmar_start "$app"
drive wait-settings
drive fill-settings pw
drive show-prompt
kill -0 "$notepad" 2>/dev/null || fail "notepad ended before the shutdown"
drive shutdown
wait_until bash -c "! kill -0 $notepad 2>/dev/null" || fail "notepad still running after the shutdown"
wait_until policy_gone || fail "the Task Manager policy value outlived the shutdown"
echo "PASSED: shutdown ended the session's programs and gave the policy value back"
