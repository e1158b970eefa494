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

# resave and open: the file bytes and grid text are golden corpus cases.
golden="$data/full_program.ldx"
"$cli" resave "$tmp/missing.ldx" "$tmp/m_out.ldx" 2>"$tmp/err"; check "resave missing file" 2 $?
grep -q 'No such file' "$tmp/err"; check "missing file names the system error" 0 $?
"$cli" resave "$golden" "$tmp/no/such/dir/out.ldx" 2>/dev/null; check "unwritable output" 2 $?
"$cli" resave "$golden" >/dev/null 2>&1; check "resave without output" 2 $?

demo="$data/demo_program.ldx"
"$cli" open "$golden" >/dev/null 2>"$tmp/err"; check "open refuses a program that fails the check" 1 $?
"$cli" open "$tmp/missing.ldx" >/dev/null 2>&1; check "open missing file" 2 $?

# compile: the output lines and saved files are golden corpus cases; here
# the project name taken from the file name and the saved file reopening.
"$cli" compile "$demo" --save "$tmp/a.ldx" >"$tmp/a.out" 2>"$tmp/err"; check "compile demo" 0 $?
head -1 "$tmp/a.out" | grep -q '^----------------工程 demo_program : 编译PLC主程序----------------$'
check "compile header names the project" 0 $?
"$cli" open "$demo" >"$tmp/demo.grid"; "$cli" open "$tmp/a.ldx" >"$tmp/a.grid"; check "saved program opens" 0 $?
cmp -s "$tmp/demo.grid" "$tmp/a.grid"; check "saved program draws the same ladder" 0 $?
printf '1\t9\t1\t1\t0\tX\n' >"$tmp/worse.grid"
"$cli" compile --grid "$tmp/worse.grid" >/dev/null 2>"$tmp/err"; check "bad grid text" 2 $?
grep -q 'line 1' "$tmp/err"; check "bad grid text names the line" 0 $?
"$cli" compile "$demo" --lang fr >/dev/null 2>&1; check "unknown language" 2 $?
"$cli" compile >/dev/null 2>&1; check "compile without input" 2 $?

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
grep -q '文件夹已存在' "$tmp/err"; check "existing folder message" 0 $?
"$cli" project new "$tmp" demo --overwrite >/dev/null 2>&1; check "existing folder overwritten" 0 $?
"$cli" project new "$tmp" .. >/dev/null 2>&1; check "unsafe project name refused" 1 $?
"$cli" project new "$tmp/none" x >/dev/null 2>&1; check "missing storage path" 2 $?
printf 'O0012\nG01 X1\n' >"$tmp/O12prog.cnc"
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name O12 2>"$tmp/err"; check "add-program" 0 $?
grep -q $'^O0012\r$' "$tmp/demo/O0012.cnc"; check "added program copied with CR LF" 0 $?
"$cli" project show "$gpr" >"$tmp/show.out"
head -1 "$tmp/show.out" | grep -q $'^counts\t1\t1\t4\t0$'; check "show counts the program" 0 $?
tail -1 "$tmp/show.out" | grep -q $'^103\t0\tO0012\t-\t-$'; check "show the program record" 0 $?
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name O12 2>"$tmp/err"
check "add-program over an existing file refused" 1 $?
"$cli" project add-program "$gpr" "$tmp/O12prog.cnc" --name P12 2>"$tmp/err"; check "bad program name" 1 $?
grep -q "请输入以字母 'O' 开头后加数字的文件名!" "$tmp/err"; check "bad program name message" 0 $?
head -c 51 "$gpr" >"$tmp/short.gpr"
"$cli" project show "$tmp/short.gpr" >/dev/null 2>"$tmp/err"; check "short project file refused" 1 $?
grep -q '文件打开失败!' "$tmp/err"; check "short project file message" 0 $?
"$cli" project show "$tmp/none.gpr" >/dev/null 2>&1; check "missing project file" 2 $?
"$cli" project frobnicate >/dev/null 2>&1; check "unknown project command" 2 $?

# tables: every table exported and imported into a copy that has none
# gives the same program file.
lathe="$data/../../data/demo/main_LatheDemo.ldx"
"$cli" resave "$lathe" "$tmp/lathe.ldx"; check "resave lathe demo" 0 $?
awk '/^(PLC_ALARM|PLC_INIT_D|PLC_INIT_DC|PLC_INIT_DT|INITDATA_DC|INITDATA_DT|INITDATA_K|PLC_SYMBOL)\r?$/ {skip=1}
     !skip {print} /^END_/ {skip=0}' "$lathe" >"$tmp/bare.ldx"
! grep -q PLC_SYMBOL "$tmp/bare.ldx"; check "tables fixture has no tables" 0 $?
for t in d dc dt alarms comments k; do
    "$cli" tables export "$lathe" --table $t "$tmp/$t.csv" 2>"$tmp/err"; check "export $t" 0 $?
    "$cli" tables import "$tmp/bare.ldx" --table $t "$tmp/$t.csv" >/dev/null 2>"$tmp/err"
    check "import $t" 0 $?
done
cmp -s "$tmp/lathe.ldx" "$tmp/bare.ldx"; check "tables round trip is byte identical" 0 $?
grep -q '^A0000.3,1003,"换刀超时,请检查刀架"' "$tmp/alarms.csv"; check "alarm export quotes a comma" 0 $?
cp "$tmp/lathe.ldx" "$tmp/bad.ldx"
printf 'DC地址(4字节),数据值(十进制)\nDC0001,12\nDC0002,x\nDC0003,99999999999\nDC0004,4\n' >"$tmp/bad.csv"
"$cli" tables import "$tmp/bad.ldx" --table dc "$tmp/bad.csv" 2>"$tmp/err"; check "import refuses bad lines" 1 $?
grep -q 'bad.csv:3: 数据值(十进制): 请输入十进制数字.' "$tmp/err"; check "refused line 3 named" 0 $?
grep -q 'bad.csv:4: 数据值(十进制): 数值必须为0～2147483647.' "$tmp/err"; check "refused line 4 named" 0 $?
cmp -s "$tmp/lathe.ldx" "$tmp/bad.ldx"; check "refused import writes nothing" 0 $?
"$cli" tables import "$tmp/bad.ldx" --table dc "$tmp/bad.csv" --skip-bad >/dev/null 2>&1
check "skip-bad still reports" 1 $?
grep -q $'^0002\t12\r$' <(sed -n '/^PLC_INIT_DC/,/^END_PLC_INIT_DC/p' "$tmp/bad.ldx"); check "skip-bad keeps good lines" 0 $?
grep -q $'^0005\t4\r$' <(sed -n '/^PLC_INIT_DC/,/^END_PLC_INIT_DC/p' "$tmp/bad.ldx"); check "skip-bad keeps later lines" 0 $?
"$cli" tables export "$lathe" --table q "$tmp/q.csv" 2>/dev/null; check "unknown table" 2 $?
"$cli" tables export "$lathe" "$tmp/q.csv" 2>/dev/null; check "tables without --table" 2 $?
"$cli" tables import "$tmp/bad.ldx" --table d "$tmp/none.csv" 2>/dev/null; check "missing csv" 2 $?

# params: the values of the new project's parameter files, set with the
# window's rules.
"$cli" params get "$gpr" 15 >"$tmp/p.out"; check "params get" 0 $?
grep -qx 0 "$tmp/p.out"; check "params get prints the default of an empty file" 0 $?
"$cli" params set "$gpr" 0015 999 >"$tmp/p.out" 2>"$tmp/err"; check "params set out of range" 0 $?
grep -qx 255 "$tmp/p.out"; check "params set clamps to the maximum" 0 $?
grep -q "stored as '255'" "$tmp/err"; check "params set says it normalised" 0 $?
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
grep -q '^0015,255,' "$tmp/p.csv"; check "params dump shows the set value" 0 $?
"$cli" params get "$tmp/none/x.gpr" 15 2>/dev/null; check "params of a missing project" 2 $?

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
