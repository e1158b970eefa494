#!/usr/bin/env bash
# Fails when a C++ file differs from what clang-format makes of it.
#   scripts/format_check.sh [--all]
# Without --all only the files changed since the merge base with main (or
# in the last commit when that is all there is) are checked.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format_check: clang-format is not installed" >&2; exit 2; }
all=0
[ "${1:-}" = "--all" ] && all=1
files=
if [ $all -eq 0 ]; then
    base=$(git merge-base HEAD origin/main 2>/dev/null || true)
    [ -n "$base" ] && [ "$base" = "$(git rev-parse HEAD)" ] && base=
    [ -z "$base" ] && base=$(git rev-parse -q --verify HEAD~ || true)
    if [ -z "$base" ]; then
        all=1
    else
        files=$( (git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
                  git ls-files -mo --exclude-standard -- '*.cpp' '*.h') | sort -u)
    fi
fi
[ $all -eq 1 ] && files=$(git ls-files '*.cpp' '*.h')
[ -n "$files" ] || { echo "format_check: no changed C++ files"; exit 0; }
bad=0
for f in $files; do
    [ -f "$f" ] || continue
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "$f: not formatted (clang-format -i $f)"
        bad=1
    fi
done
[ $bad -eq 0 ] && echo "format_check: $(echo "$files" | wc -w) file(s) formatted"
exit $bad
