#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native tests
# under the sanitizers, then the Windows tests and the end-to-end tests of
# the built program under Wine, on a virtual display of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
# Wine takes its code pages from the locale: the same one everywhere.
export LC_ALL=C.UTF-8
tools/install.sh
tools/build.sh

ctest --test-dir build/native --output-on-failure
# The code the clock's two threads share, under ThreadSanitizer.
cmake -S . -B build/native-tsan -DQUILMAR_SANITIZE=OFF -DQUILMAR_TSAN=ON >/dev/null
cmake --build build/native-tsan -j "$(nproc)" --target native_tests
build/native-tsan/tests/native/native_tests --gtest_filter='Clock*' --gtest_brief=1

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
ctest --test-dir build/win --output-on-failure
