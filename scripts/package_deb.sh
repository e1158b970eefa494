#!/usr/bin/env bash
# Makes the Debian package and checks it:
#   scripts/package_deb.sh [BUILD_DIR]
# Without BUILD_DIR an optimised build without tests is made in
# build/package; an existing build folder (./test.sh passes build/debug)
# is packaged as it is built. The package lands in BUILD_DIR/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-}
if [ -z "$build" ]; then
    build=build/package
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELCC_BUILD_TESTS=OFF \
        -DKELCC_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "${KELCC_JOBS:-2}"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$PWD/package" >/dev/null)
deb=$(ls "$build"/package/kelcc_*.deb)
echo "package: $deb"
bash tests/install/check_deb.sh "$deb"
