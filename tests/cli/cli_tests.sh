#!/usr/bin/env bash
# Runs the command-line tool as a user would and checks exit codes and output.
set -u
cli=${KELCC_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Usage errors, missing files, resave, open, compile, tables, params and
# add-program are golden corpus cases (golden/cli, golden/params,
# golden/project); here what needs a new project, whose file holds the
# time it was made.
"$cli" project new "$tmp" demo >"$tmp/new.out" 2>"$tmp/err"; check "project new" 0 $?
gpr="$tmp/demo/demo.gpr"
grep -qx "$gpr" "$tmp/new.out"; check "project new prints the project file" 0 $?
"$cli" project show "$gpr" >"$tmp/show.out"; check "project show" 0 $?
head -1 "$tmp/show.out" | grep -q $'^counts\t1\t0\t4\t0$'; check "show header counts" 0 $?
sed -n 2p "$tmp/show.out" | grep -q $'^2\t0\t主程序\t[0-9-]*,[0-9:]*\t'; check "show PLC record" 0 $?
[ "$(wc -l <"$tmp/show.out")" = 6 ]; check "show prints five records" 0 $?
"$cli" project new "$tmp" demo >/dev/null 2>"$tmp/err"; check "existing folder refused" 1 $?
has '文件夹已存在' "$tmp/err" "existing folder message"
"$cli" project new "$tmp" demo --overwrite >/dev/null 2>&1; check "existing folder overwritten" 0 $?
"$cli" project new "$tmp/none" x >/dev/null 2>&1; check "missing storage path" 2 $?
printf 'O0012\nG01 X1\n' >"$tmp/O12prog.cnc"
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name O12 2>"$tmp/err"; check "add-program" 0 $?
"$cli" project show "$gpr" >"$tmp/show.out"
head -1 "$tmp/show.out" | grep -q $'^counts\t1\t1\t4\t0$'; check "show counts the program" 0 $?
tail -1 "$tmp/show.out" | grep -q $'^103\t0\tO0012\t-\t-$'; check "show the program record" 0 $?

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
