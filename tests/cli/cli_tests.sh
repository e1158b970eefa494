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

# resave: read with the program file reader, write with the writer.
golden="$data/full_program.ldx"
"$cli" resave "$golden" "$tmp/out.ldx" 2>"$tmp/err"; check "resave golden" 0 $?
cmp -s "$golden" "$tmp/out.ldx"; check "resave golden is byte identical" 0 $?

printf 'PLC VER1.0\nPLC_ORGANIZATION\nTOTALSTEPS\t2\n0000    END1\n0001    END2\nEND_PLC_ORGANIZATION\n' \
    >"$tmp/lf.ldx"
"$cli" resave "$tmp/lf.ldx" "$tmp/lf_out.ldx"; check "resave LF file" 0 $?
grep -q $'^0001    END2\r$' "$tmp/lf_out.ldx"; check "resave writes CR LF" 0 $?

# The checksum of the file is not taken over: without a compile it is 0000.
sed $'s/^0000\r$/BEEF\r/' "$golden" >"$tmp/crc.ldx"
grep -q '^BEEF' "$tmp/crc.ldx"; check "checksum fixture" 0 $?
"$cli" resave "$tmp/crc.ldx" "$tmp/crc_out.ldx"; check "resave with checksum" 0 $?
cmp -s "$golden" "$tmp/crc_out.ldx"; check "resave writes checksum 0000" 0 $?

sed '1s/PLC VER1.0/PLC VER2.0/' "$golden" >"$tmp/v2.ldx"
"$cli" resave "$tmp/v2.ldx" "$tmp/v2_out.ldx" 2>"$tmp/err"; check "resave refuses version" 1 $?
grep -q '不支持的文件版本!' "$tmp/err"; check "version message" 0 $?
[ ! -e "$tmp/v2_out.ldx" ]; check "refused file writes nothing" 0 $?

sed 's/^0003    OUT /0003    OUTX/' "$golden" >"$tmp/bad.ldx"
"$cli" resave "$tmp/bad.ldx" "$tmp/bad_out.ldx" 2>"$tmp/err"; check "resave refuses bad mnemonic" 1 $?
grep -q '文件数据格式错误!' "$tmp/err"; check "format error message" 0 $?
[ ! -e "$tmp/bad_out.ldx" ]; check "bad file writes nothing" 0 $?

"$cli" resave "$tmp/missing.ldx" "$tmp/m_out.ldx" 2>"$tmp/err"; check "resave missing file" 2 $?
grep -q 'No such file' "$tmp/err"; check "missing file names the system error" 0 $?
"$cli" resave "$golden" "$tmp/no/such/dir/out.ldx" 2>/dev/null; check "unwritable output" 2 $?
"$cli" resave "$golden" >/dev/null 2>&1; check "resave without output" 2 $?

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
