#!/usr/bin/env bash
# Makes the release archive dist/quilmar-<version>-win64.zip: the portable
# folder (quilmar.exe, TaskKeyHook.dll) and a short read-me in Chinese and
# English. Prints the archive's path.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install.sh
tools/build.sh win >/dev/null
version=$(sed -n 's/^project(Quilmar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=quilmar-$version-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp dist/quilmar/quilmar.exe dist/quilmar/TaskKeyHook.dll docs/README.txt "$stage/$name/"
rm -f "dist/$name.zip"
(cd "$stage" && zip -qr9 "$OLDPWD/dist/$name.zip" "$name")
echo "dist/$name.zip"
