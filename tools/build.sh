#!/usr/bin/env bash
# Builds the Windows program and its tests (build/win, the program itself in
# dist/quilmar, its release archive beside it) and, unless called with "win",
# the native tests of the code without Windows calls (build/native).
# Usage: build.sh [win [TARGET...]]   (targets: only those of build/win)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j "$jobs" ${2:+--target} "${@:2}"
[ "${1:-}" = win ] && exit 0
cmake -S . -B build/native >/dev/null
cmake --build build/native -j "$jobs"
