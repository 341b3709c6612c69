#!/usr/bin/env bash
# Builds the Windows program and its tests (build/win, output in dist/quilmar)
# and the natively built tests of the code without Windows calls (build/native).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j "$jobs"
cmake -S . -B build/native >/dev/null
cmake --build build/native -j "$jobs"
