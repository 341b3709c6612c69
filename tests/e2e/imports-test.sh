#!/usr/bin/env bash
# The portable folder needs nothing but system DLLs and its own hook DLL.
# Both its files are marked to run from swap, so that Windows loads them whole
# when they start from a stick or a share, and the linker's checksum still
# matches after the marking.
# Usage: imports-test.sh DIST_DIR
set -euo pipefail
dist=$1
system='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|SHELL32|OLE32|WINMM|msvcrt)\.dll$'
swap_flags=('copy to swap file if on removable media' 'copy to swap file if on network media')
status=0
shopt -s nocasematch  # Windows does not care how a DLL name is spelt

# The checksum as the linker computes it: the file's 16-bit words but the
# checksum's own two, added with end-around carry, plus the file's length.
checksum() {
  local pe
  pe=$(od -An -tu4 --endian=little -j 60 -N 4 "$1")
  od -An -v -tu2 --endian=little "$1" |
    awk -v skip=$(((pe + 88) / 2)) -v size="$(wc -c <"$1")" '
      { for (i = 1; i <= NF; i++) { if (n < skip || n > skip + 1) { s += $i; s = s % 65536 + int(s / 65536) } n++ } }
      END { printf "%08x\n", s + size }'
}

for file in "$dist/quilmar.exe" "$dist/TaskKeyHook.dll"; do
  name=$(basename "$file")
  header=$(x86_64-w64-mingw32-objdump -p "$file")
  while read -r dll; do
    if [[ ! $dll =~ $system ]] && { [ "$dll" != TaskKeyHook.dll ] || [[ $file == *.dll ]]; }; then
      echo "FAILED: $name imports $dll"
      status=1
    fi
  done < <(sed -n 's/^\s*DLL Name: //p' <<<"$header")
  swap_status=0
  for flag in "${swap_flags[@]}"; do
    grep -qxF $'\t'"$flag" <<<"$header" || { echo "FAILED: $name lacks \"$flag\""; swap_status=1; }
  done
  if [ $swap_status -ne 0 ]; then
    echo "objdump -p shows:"
    sed -n '/^Characteristics/,/^$/p' <<<"$header"
    status=1
  fi
  stored=$(sed -n 's/^CheckSum\s*//p' <<<"$header")
  computed=$(checksum "$file")
  if [ "$stored" != "$computed" ]; then
    echo "FAILED: $name has checksum $stored, its contents add up to $computed"
    status=1
  fi
done
[ $status -eq 0 ] && echo "PASSED: only system DLLs and TaskKeyHook.dll are imported; both files run from swap off removable and network media, with checksums that match"
exit $status
