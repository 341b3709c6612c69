#!/bin/sh
# Marks a linked exe or DLL to run from swap when it is started from removable
# or network media: Windows then copies the whole image into the page file at
# start, instead of paging it in from the stick or share later, so a stick
# pulled while the screen is locked cannot end the lock at its next page
# fault. MinGW's linker has no switch for these two flags, so the build sets
# them after the link. The linker writes the image's checksum; it is updated
# with them. Running it again changes nothing.
# Usage: mark-run-from-swap.sh FILE
set -eu
file=$1

# The little-endian number of $2 bytes at offset $1 (0 past the end).
number_at() {
  n=0 bit=0
  for byte in $(od -An -v -tu1 -j "$1" -N "$2" "$file"); do
    n=$((n | byte << bit)) bit=$((bit + 8))
  done
  echo "$n"
}

# Writes the number $3 as $2 little-endian bytes at offset $1.
write_number() {
  bytes='' i=0
  while [ "$i" -lt "$2" ]; do
    bytes="$bytes\\$(printf %03o $(($3 >> 8 * i & 255)))" i=$((i + 1))
  done
  printf "$bytes" | dd of="$file" bs=1 seek="$1" conv=notrunc status=none
}

fail() {
  printf 'mark-run-from-swap.sh: %s: %s\n' "$file" "$1" >&2
  exit 1
}

[ "$(number_at 0 2)" -eq $((0x5A4D)) ] || fail 'no "MZ" signature'
pe=$(number_at 60 4)
[ "$(number_at "$pe" 4)" -eq $((0x4550)) ] || fail 'no "PE\0\0" signature'

# COFF header Characteristics: IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP (0x0400)
# and IMAGE_FILE_NET_RUN_FROM_SWAP (0x0800).
at=$((pe + 22))
old=$(number_at "$at" 2)
new=$((old | 0x0C00))
[ "$new" -eq "$old" ] && exit 0
write_number "$at" 2 "$new"

# The checksum is the file's 16-bit words added with end-around carry, plus
# the file's length: changing one word changes the sum by the difference,
# modulo 0xFFFF (the sum of a file with any non-zero word is never 0).
checksum_at=$((pe + 24 + 64))
checksum=$(number_at "$checksum_at" 4)
[ "$checksum" -eq 0 ] && exit 0
size=$(wc -c < "$file")
sum=$(((checksum - size + new - old) % 0xFFFF))
[ "$sum" -gt 0 ] || sum=$((sum + 0xFFFF))
write_number "$checksum_at" 4 $((sum + size))
