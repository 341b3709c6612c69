#!/usr/bin/env bash
# Fuzzes the menu template reader with libFuzzer under AddressSanitizer and
# UBSan, natively with clang. Not part of the regular build and test run.
# Usage: tools/fuzz-menu-template.sh [SECONDS]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
corpus=$out/menu-template-corpus
mkdir -p "$corpus"

clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
  tests/fuzz/MenuTemplateFuzz.cpp src/menu/MenuTemplate.cpp -o "$out/menu-template-fuzz"

# Seeds: the more-operations menu (a pop-up holding one command) and a nested
# menu with a separator.
printf '\0\0\0\0\x90\0M\0\0\0\x80\0\x03\x80\x1b\x52\0\0' >"$corpus/seed-popup"
printf '\0\0\0\0\x10\0F\0\0\0\0\0\x01\0O\0\0\0\0\0\0\0\0\0\x90\0S\0\0\0\x80\0\x02\0x\0\0\0' >"$corpus/seed-nested"

"$out/menu-template-fuzz" -max_total_time="$seconds" -print_final_stats=1 "$corpus"
