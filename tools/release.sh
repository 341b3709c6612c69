#!/usr/bin/env bash
# Makes the release archive dist/quilmar-<version>-win64.zip (the Windows
# build's "release" target): the portable folder (quilmar.exe,
# TaskKeyHook.dll) and a short read-me in Chinese and English. Prints the
# archive's path.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install.sh
tools/build.sh win release >/dev/null
version=$(sed -n 's/^project(Quilmar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
echo "dist/quilmar-$version-win64.zip"
