#!/usr/bin/env bash
# Runs the command-line tool as a user would and checks exit codes and output.
set -u
cli=${KELCC_CLI:?}
data=${KELCC_TEST_DATA_DIR:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

check() {  # name, expected exit code, actual exit code
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
        failed=$((failed + 1)); echo "FAIL: $1 (exit $3, expected $2)"; fi
}

"$cli" --help >"$tmp/out" 2>&1; check "help" 0 $?
grep -q resave "$tmp/out"; check "help lists resave" 0 $?
"$cli" no-such-command >/dev/null 2>&1; check "unknown command" 2 $?

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
