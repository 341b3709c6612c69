#!/usr/bin/env bash
# Builds the Windows program and its tests (build/win, the program itself in
# dist/quilmar) and, unless called with "win", the native tests of the code
# without Windows calls (build/native).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j "$jobs"
[ "${1:-}" = win ] && exit 0
cmake -S . -B build/native >/dev/null
cmake --build build/native -j "$jobs"
