#!/usr/bin/env bash
# Rebuilds the bundled demo project data/demo from its sources here: the
# ladder as grid text, the two part programs and make_demo.cpp for the
# texts, tables and CNC data. Run from anywhere; BUILD defaults to
# build/release (configured with the release preset when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${BUILD:-$root/build/release}"
here="$root/scripts/demo"
name=LatheDemo

if [ ! -f "$build/build.ninja" ]; then
    cmake --preset release -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target kelcc-cli kelcc_make_demo
cli="$build/src/cli/kelcc-cli"
make_demo="$build/src/ui/kelcc_make_demo"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
project="$work/$name"
gpr="$project/$name.gpr"

"$cli" project new "$work" "$name"
"$cli" compile --grid "$here/lathe_demo.grid" --project "$name" \
    --save "$project/main_$name.ldx"
"$cli" project add-program "$gpr" "$here/O0001.cnc"
"$cli" project add-program "$gpr" "$here/O0002.cnc"
"$make_demo" "$gpr"

rm -rf "$root/data/demo"
mkdir -p "$root/data/demo"
cp "$project"/* "$root/data/demo/"
"$cli" project show "$root/data/demo/$name.gpr"
