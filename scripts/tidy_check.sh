#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over src/.
#   scripts/tidy_check.sh [--all] [BUILD_DIR]
# Without --all only the sources changed since the merge base with main (or
# since HEAD~ when that is unknown) are checked; a full pass takes a while on
# a small machine. BUILD_DIR (build/debug) must hold compile_commands.json.
set -euo pipefail
cd "$(dirname "$0")/.."
all=0
if [ "${1:-}" = "--all" ]; then all=1; shift; fi
build=${1:-build/debug}
db="$build/compile_commands.json"
if [ ! -f "$db" ]; then echo "tidy_check: no $db; configure first" >&2; exit 2; fi

# The translation units under src/ that the build knows.
units=$(python3 -c '
import json, os, sys
root = os.getcwd() + "/src/"
for entry in json.load(open(sys.argv[1])):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root) and path.endswith(".cpp"):
        print(path)' "$db" | sort -u)

if [ $all -eq 0 ]; then
    # On main itself the last commit's files.
    base=$(git merge-base HEAD origin/main 2>/dev/null || git merge-base HEAD main 2>/dev/null || true)
    [ -n "$base" ] && [ "$base" = "$(git rev-parse HEAD)" ] && base=
    [ -z "$base" ] && base=$(git rev-parse -q --verify HEAD~ || true)
    if [ -z "$base" ]; then
        all=1
    else
        changed=$(git diff --name-only "$base" -- 'src/*.cpp' 'src/*.h'; git ls-files -mo --exclude-standard -- 'src/*.cpp' 'src/*.h')
        # A changed header brings in the source of the same name.
        wanted=$(for f in $changed; do echo "$PWD/${f%.*}.cpp"; done | sort -u)
        units=$(comm -12 <(echo "$units") <(echo "$wanted"))
    fi
fi
[ -n "$units" ] || { echo "tidy_check: no changed sources"; exit 0; }
echo "tidy_check: $(echo "$units" | wc -l) file(s)"

# GCC's warning options are unknown to clang; they are not findings.
extra=-Wno-unknown-warning-option
jobs=$(nproc)
if command -v run-clang-tidy >/dev/null; then
    echo "$units" | xargs run-clang-tidy -quiet -j "$jobs" -p "$build" -extra-arg="$extra" \
        > "$build/tidy.log" 2>&1 || status=$?
else
    echo "$units" | xargs -P "$jobs" -n 4 clang-tidy --quiet -p "$build" --extra-arg="$extra" \
        > "$build/tidy.log" 2>&1 || status=$?
fi
if [ "${status:-0}" -ne 0 ]; then
    grep -E '(warning|error): ' "$build/tidy.log" | sort -u
    echo "tidy_check: findings (full log: $build/tidy.log)"
    exit 1
fi
echo "tidy_check: clean"
