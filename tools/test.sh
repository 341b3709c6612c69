#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native tests
# under the sanitizers, then the Windows tests and the end-to-end tests of
# the built program under Wine, on a virtual display of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/wine-session.sh  # its locale too, for every test
tools/install.sh
tools/build.sh

ctest --test-dir build/native --output-on-failure
# The code the clock's two threads share, under ThreadSanitizer.
cmake -S . -B build/native-tsan -DQUILMAR_SANITIZE=OFF -DQUILMAR_TSAN=ON >/dev/null
cmake --build build/native-tsan -j "$(nproc)" --target native_tests
build/native-tsan/tests/native/native_tests --gtest_filter='Clock*' --gtest_brief=1

unset DISPLAY
wine_display_start
trap wine_display_end EXIT
ctest --test-dir build/win --output-on-failure
