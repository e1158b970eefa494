#!/usr/bin/env bash
# Walks tests/golden/<area>/<case>/: runs `kelcc-cli` with the words of each
# line of the case's `args` file, in turn, inside a copy of its input files,
# then compares stdout, stderr, the exit codes (one per line) and every file
# the commands wrote with expected.*. Files that need their own names (a
# project's fixed file names) go in the case's input/ folder; one of them
# with an expected.* file is compared with it after the commands.
# KELCC_REGENERATE=1 writes the current results as the expected files.
set -u
cli=${KELCC_CLI:?}
root=${KELCC_GOLDEN_DIR:-$(dirname "$0")}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
regen=${KELCC_REGENERATE:-0}
passed=0
failed=0

# Missing expected.stdout/stderr mean empty, missing expected.exit all 0.
compare() {  # case dir, result name, produced file
    local want="$1/expected.$2"
    if [ "$regen" = 1 ]; then
        case $2 in
        stdout | stderr) if [ -s "$3" ]; then cp "$3" "$want"; else rm -f "$want"; fi ;;
        exit) if ! grep -qv '^0$' "$3"; then rm -f "$want"; else cp "$3" "$want"; fi ;;
        *) cp "$3" "$want" ;;
        esac
        return 0
    fi
    if [ -e "$want" ]; then cmp -s "$want" "$3" && return 0
    elif [ "$2" = exit ]; then ! grep -qv '^0$' "$3" && return 0
    elif [ "$2" = stdout ] || [ "$2" = stderr ]; then [ ! -s "$3" ] && return 0
    fi
    if [ -e "$want" ]; then echo "FAIL: ${1#"$root"/}: $2 differs"
    else echo "FAIL: ${1#"$root"/}: $2 not expected"; fi
    if [ -e "$want" ] && grep -qI . "$want"; then diff "$want" "$3" | head -20
    elif [ -e "$want" ]; then cmp "$want" "$3"; fi
    return 1
}

while IFS= read -r args; do
    dir=$(dirname "$args")
    work="$tmp/${dir#"$root"/}"
    mkdir -p "$work"
    for f in "$dir"/input.*; do [ -e "$f" ] && cp "$f" "$work/"; done
    [ -d "$dir/input" ] && cp -R "$dir/input/." "$work/"
    ls -A "$work" >"$tmp/before"
    : >"$tmp/stdout" && : >"$tmp/stderr" && : >"$tmp/exit"
    while read -r -a words; do
        (cd "$work" && "$cli" "${words[@]}" </dev/null >>"$tmp/stdout" 2>>"$tmp/stderr"; echo $? >>"$tmp/exit")
    done <"$args"
    ok=1
    for r in stdout stderr exit; do compare "$dir" "$r" "$tmp/$r" || ok=0; done
    produced=$(ls -A "$work" | grep -vxF -f "$tmp/before")
    for f in "$dir"/input/*; do
        [ -f "$f" ] && [ -e "$dir/expected.${f##*/}" ] && produced+=$'\n'${f##*/}
    done
    for f in $produced; do compare "$dir" "$f" "$work/$f" || ok=0; done
    # An expected file the command no longer writes is a failure too.
    for want in "$dir"/expected.*; do
        name=${want##*/expected.}
        case $name in stdout | stderr | exit | '*') continue ;; esac
        if ! grep -qxF "$name" <<<"$produced"; then
            if [ "$regen" = 1 ]; then rm -f "$want"; else
                echo "FAIL: ${dir#"$root"/}: $name not written"; ok=0; fi
        fi
    done
    if [ "$ok" = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done < <(find "$root" -mindepth 3 -maxdepth 3 -name args | sort)

echo "$passed cases passed, $failed failed"
[ "$passed" -gt 0 ] && [ "$failed" = 0 ]
