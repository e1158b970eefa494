#!/usr/bin/env bash
# Installs what is missing, builds the debug preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_deps.sh
./scripts/style_check.sh
./scripts/check_includes.sh
cmake --preset debug
cmake --build --preset debug
if command -v clang-tidy >/dev/null; then ./scripts/tidy_check.sh build/debug; fi
ctest --preset debug --output-on-failure -j "$(nproc)"
# The Debian package of this build, when the Debian tools are there.
if command -v dpkg-deb >/dev/null && command -v cpack >/dev/null; then
    ./scripts/package_deb.sh build/debug
fi
