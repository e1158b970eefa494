#!/usr/bin/env bash
# Rejects tabs, trailing blanks and CR LF in our own sources. Controller data
# files under tests/data keep their CR LF and are not checked.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
files=$(git ls-files '*.cpp' '*.h' '*.cmake' 'CMakeLists.txt' '*/CMakeLists.txt' '*.sh' 2>/dev/null)
for f in $files; do
    [ -f "$f" ] || continue
    if grep -nP '\r$' "$f" >/dev/null; then echo "$f: CR LF line ends"; status=1; fi
    if grep -nP '[ \t]+$' "$f" >/dev/null; then
        echo "$f: trailing blanks:"; grep -nP '[ \t]+$' "$f" | head -3; status=1
    fi
    case "$f" in
        *.cpp|*.h)
            if grep -nP '\t' "$f" >/dev/null; then echo "$f: tab characters"; status=1; fi ;;
    esac
done
exit $status
