#!/usr/bin/env bash
# The portable folder needs nothing but system DLLs and its own hook DLL.
# Usage: imports-test.sh DIST_DIR
set -euo pipefail
dist=$1
system='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|OLE32|WINMM|msvcrt)\.dll$'
status=0
shopt -s nocasematch  # Windows does not care how a DLL name is spelt
for file in "$dist/quilmar.exe" "$dist/TaskKeyHook.dll"; do
  while read -r dll; do
    if [[ ! $dll =~ $system ]] && { [ "$dll" != TaskKeyHook.dll ] || [[ $file == *.dll ]]; }; then
      echo "FAILED: $(basename "$file") imports $dll"
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "PASSED: only system DLLs and TaskKeyHook.dll are imported"
exit $status
