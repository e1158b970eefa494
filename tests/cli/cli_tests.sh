#!/usr/bin/env bash
# Runs the command-line tool as a user would and checks exit codes and output.
set -u
cli=${KELCC_CLI:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Usage errors, missing files, resave, open, compile and tables are golden
# corpus cases (golden/cli); here what lives in project folders.
# project: a new project is shown by project show; add-program adds a record.
"$cli" project new "$tmp" demo >"$tmp/new.out" 2>"$tmp/err"; check "project new" 0 $?
gpr="$tmp/demo/demo.gpr"
grep -qx "$gpr" "$tmp/new.out"; check "project new prints the project file" 0 $?
[ "$(od -An -tx1 -N4 "$tmp/demo/Tcomp.cmp" | tr -d ' ')" = 03040506 ]; check "seeded table file" 0 $?
"$cli" project show "$gpr" >"$tmp/show.out"; check "project show" 0 $?
head -1 "$tmp/show.out" | grep -q $'^counts\t1\t0\t4\t0$'; check "show header counts" 0 $?
sed -n 2p "$tmp/show.out" | grep -q $'^2\t0\t主程序\t[0-9-]*,[0-9:]*\t'; check "show PLC record" 0 $?
[ "$(wc -l <"$tmp/show.out")" = 6 ]; check "show prints five records" 0 $?
"$cli" project new "$tmp" demo >/dev/null 2>"$tmp/err"; check "existing folder refused" 1 $?
has '文件夹已存在' "$tmp/err" "existing folder message"
"$cli" project new "$tmp" demo --overwrite >/dev/null 2>&1; check "existing folder overwritten" 0 $?
"$cli" project new "$tmp" .. >/dev/null 2>&1; check "unsafe project name refused" 1 $?
"$cli" project new "$tmp/none" x >/dev/null 2>&1; check "missing storage path" 2 $?
printf 'O0012\nG01 X1\n' >"$tmp/O12prog.cnc"
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name O12 2>"$tmp/err"; check "add-program" 0 $?
has $'^O0012\r$' "$tmp/demo/O0012.cnc" "added program copied with CR LF"
"$cli" project show "$gpr" >"$tmp/show.out"
head -1 "$tmp/show.out" | grep -q $'^counts\t1\t1\t4\t0$'; check "show counts the program" 0 $?
tail -1 "$tmp/show.out" | grep -q $'^103\t0\tO0012\t-\t-$'; check "show the program record" 0 $?
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name O12 2>"$tmp/err"
check "add-program over an existing file refused" 1 $?
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name P12 2>"$tmp/err"; check "bad program name" 1 $?
has "请输入以字母 'O' 开头后加数字的文件名!" "$tmp/err" "bad program name message"
head -c 51 "$gpr" >"$tmp/short.gpr"
"$cli" project show "$tmp/short.gpr" >/dev/null 2>"$tmp/err"; check "short project file refused" 1 $?
has '文件打开失败!' "$tmp/err" "short project file message"

# params: the values of the new project's parameter files, set with the
# window's rules.
"$cli" params get "$gpr" 15 >"$tmp/p.out"; check "params get" 0 $?
grep -qx 0 "$tmp/p.out"; check "params get prints the default of an empty file" 0 $?
"$cli" params set "$gpr" 0015 999 >"$tmp/p.out" 2>"$tmp/err"; check "params set out of range" 0 $?
grep -qx 255 "$tmp/p.out"; check "params set clamps to the maximum" 0 $?
has "stored as '255'" "$tmp/err" "params set says it normalised"
grep -q $'0000\t255\r' "$(dirname "$gpr")/ParaW.par"; check "params set writes ParaW.par" 0 $?
"$cli" params set "$gpr" 44 20000 >/dev/null 2>&1; check "params set baud rate" 0 $?
"$cli" params get "$gpr" 44 >"$tmp/p.out"
grep -qx 19200 "$tmp/p.out"; check "params baud rate rounds down to a rate" 0 $?
"$cli" params set "$gpr" 15 12a 2>/dev/null; check "params set refuses letters" 1 $?
"$cli" params set "$gpr" 15 -- 2>/dev/null; check "params set refuses a sign on an unsigned row" 1 $?
"$cli" params set "$gpr" 160 1 2>/dev/null; check "params set refuses a read-only row" 1 $?
"$cli" params set "$gpr" 1 2 2>/dev/null; check "params set refuses a bit value of 2" 1 $?
"$cli" params set "$gpr" 1 101 >"$tmp/p.out" 2>/dev/null; check "params set bits" 0 $?
grep -qx 00000101 "$tmp/p.out"; check "params set pads bits to eight" 0 $?
"$cli" params get "$gpr" 250 2>/dev/null; check "params get unknown number" 2 $?
"$cli" params dump "$gpr" >"$tmp/p.csv"; check "params dump" 0 $?
[ "$(wc -l <"$tmp/p.csv")" -ge 180 ]; check "params dump lists every parameter" 0 $?
has '^0015,255,' "$tmp/p.csv" "params dump shows the set value"
"$cli" params get "$tmp/none/x.gpr" 15 2>/dev/null; check "params of a missing project" 2 $?

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
