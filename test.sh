#!/usr/bin/env bash
# Installs what is missing, builds the debug preset and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install_deps.sh
./scripts/style_check.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug --output-on-failure -j "$(nproc)"
