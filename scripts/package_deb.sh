#!/usr/bin/env bash
# Makes the Debian package from a build folder (default build/release,
# configured and built here when missing) and checks it:
#   scripts/package_deb.sh [BUILD_DIR]
# The package lands in BUILD_DIR/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ ! -f "$build/CPackConfig.cmake" ]; then
    cmake --preset release >/dev/null
    build=build/release
fi
cmake --build "$build" -j 2
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$PWD/package" >/dev/null)
deb=$(ls "$build"/package/kelcc_*.deb)
echo "package: $deb"
bash tests/install/check_deb.sh "$deb"
