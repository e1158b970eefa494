#!/usr/bin/env bash
# kelcc-cli compare against the stand-in controller on a pseudo-terminal:
# the report per file, the exit status, and a project left byte for byte
# as it was.
set -u
cli=${KELCC_CLI:?}
sim=${KEL500_SIM:?}
demo=${KELCC_DEMO_DIR:?}
tmp=$(mktemp -d)
export TMPDIR=$tmp/t
mkdir "$TMPDIR"
trap 'stop_sim; rm -rf "$tmp"' EXIT
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

run() { timeout 120 "$cli" "$@"; }

# Names, sizes, times and contents of every file of the project.
snapshot() {
    (cd "$1" && find . -type f -printf '%p %s %T@ %m\n' | sort && find . -type f -print0 |
        sort -z | xargs -0 sha256sum)
}

# Status of FILE in the report $tmp/out.
status_of() { awk -F '\t' -v f="$1" '$1 == f { print $3 }' "$tmp/out"; }

proj=$tmp/LatheDemo
cp -R "$demo" "$proj"
gpr=$proj/LatheDemo.gpr
programs=$(run project show "$gpr" 2>/dev/null | awk -F '\t' '$1 == 103 { print $3 }')

if start_sim store; then
    # shellcheck disable=SC2046
    run send "$gpr" --device "$tmp/tty" --plc --params --tools --pitch \
        $(for p in $programs; do printf -- '--program %s ' "$p"; done) 2>"$tmp/err"
    check "send the demo project" 0 $?
    snapshot "$proj" >"$tmp/before"

    # Case: identical.
    run compare "$gpr" --device "$tmp/tty" >"$tmp/out" 2>"$tmp/err"
    check "compare an identical project" 0 $?
    [ "$(awk -F '\t' '!/^ / { print $3 }' "$tmp/out" | sort -u)" = same ]
    check "every file is the same" 0 $?
    for f in plc.ldx ParaB.par ParaW.par Tcomp.cmp Wcomp.wmp O0001.cnc O0002.cnc; do
        [ "$(status_of $f)" = same ]; check "$f is listed as same" 0 $?
    done
    snapshot "$proj" >"$tmp/after"
    same "$tmp/before" "$tmp/after" "the project is untouched"
    [ -z "$(ls -A "$TMPDIR")" ]; check "no staging folder is left" 0 $?

    # Case: one parameter changed on the controller, a program only there,
    # one network of the PLC program changed there.
    cp "$tmp/store/1/ParaW.par" "$tmp/ParaW.orig"
    sed -i '5s/^\(0004\t\)[0-9]*/\11234/' "$tmp/store/1/ParaW.par"
    changed_line=$(sed -n 5p "$tmp/store/1/ParaW.par" | tr -d '\r')
    original_line=$(sed -n 5p "$proj/ParaW.par" | tr -d '\r')
    [ "$changed_line" != "$original_line" ]; check "the parameter was changed" 0 $?
    printf 'O0777\r\nG00 X0\r\nM30\r\n' >"$tmp/store/3/O0777.cnc"
    run open "$proj/main_LatheDemo.ldx" >"$tmp/grid" 2>/dev/null
    # Row 1 is the first network; its contact gets another address.
    sed '0,/^1\t1\t2\t1\t0\tX0000.0$/s//1\t1\t2\t1\t0\tX0000.1/' "$tmp/grid" >"$tmp/grid2"
    ! cmp -s "$tmp/grid" "$tmp/grid2"; check "the first network was edited" 0 $?
    run compile --grid "$tmp/grid2" --save "$tmp/store/1/plc.ldx" >/dev/null 2>&1
    check "compile the edited ladder" 0 $?
    run compare "$gpr" --device "$tmp/tty" >"$tmp/out" 2>"$tmp/err"
    check "compare with differences" 1 $?
    [ "$(status_of ParaW.par)" = different ]; check "ParaW.par differs" 0 $?
    grep -qxF -- "    -$original_line" "$tmp/out"; check "the diff shows the project's line" 0 $?
    grep -qxF -- "    +$changed_line" "$tmp/out"; check "the diff shows the controller's line" 0 $?
    [ "$(grep -c '^    [-+][^-+]' "$tmp/out")" = 2 ]; check "only that line differs" 0 $?
    [ "$(status_of ParaB.par)" = same ]; check "ParaB.par is still the same" 0 $?
    grep -q $'^O0777.cnc\t3\tonly on the controller$' "$tmp/out"
    check "a program only on the controller" 0 $?
    [ "$(status_of plc.ldx)" = different ]; check "plc.ldx differs" 0 $?
    has '^    networks that differ: 1$' "$tmp/out" "only network 1 differs"
    grep -Eq '^    checksum [0-9A-F]{4} project, [0-9A-F]{4} controller$' "$tmp/out"
    check "both checksums are shown" 0 $?
    snapshot "$proj" >"$tmp/after"
    same "$tmp/before" "$tmp/after" "the project is untouched after differences"

    # Case: a file missing in the project is one row, not a failed command.
    mv "$proj/Tcomp.cmp" "$tmp/Tcomp.cmp"
    run compare "$gpr" --device "$tmp/tty" >"$tmp/out" 2>"$tmp/err"
    check "compare with a missing project file" 1 $?
    [ "$(status_of Tcomp.cmp)" = "only on the controller" ]
    check "the missing file is only on the controller" 0 $?
    [ "$(status_of Wcomp.wmp)" = same ]; check "the other files are still compared" 0 $?
    mv "$tmp/Tcomp.cmp" "$proj/Tcomp.cmp"
    stop_sim
fi

# Case: the controller goes away half-way. A large program is read last;
# the controller is ended once the configuration files have arrived.
cp -R "$tmp/store" "$tmp/slow"
cp "$tmp/ParaW.orig" "$tmp/slow/1/ParaW.par"
{
    printf 'O0002\r\n'
    for i in $(seq 1 12000); do printf 'G01 X%05d Z%05d\r\n' "$i" "$i"; done
    printf 'M30\r\n'
} >"$proj/O0002.cnc"
cp "$proj/O0002.cnc" "$tmp/slow/2/O0002.cnc"
snapshot "$proj" >"$tmp/before"
if start_sim slow --baud 115200; then
    run compare "$gpr" --device "$tmp/tty" >"$tmp/out" 2>"$tmp/err" &
    compare_pid=$!
    for _ in $(seq 1 300); do
        if ls "$TMPDIR"/kelcc-cli-*/KELCC*/Wcomp.wmp >/dev/null 2>&1; then break; fi
        sleep 0.05
    done
    sleep 0.3
    stop_sim
    wait "$compare_pid"
    check "compare over a link that drops" 1 $?
    [ "$(status_of O0002.cnc)" = "not compared" ]; check "the large program is not compared" 0 $?
    [ "$(status_of Wcomp.wmp)" = same ]; check "what arrived before is compared" 0 $?
    [ "$(status_of ParaW.par)" = same ]; check "ParaW.par arrived before the drop" 0 $?
    has 'the link failed' "$tmp/err" "the failure is reported"
    snapshot "$proj" >"$tmp/after"
    same "$tmp/before" "$tmp/after" "the project is untouched after a drop"
fi

# No controller at all: the link error, exit 2.
run compare "$gpr" --device "$tmp/none" >"$tmp/out" 2>"$tmp/err"
check "compare without a controller" 2 $?
has '串口不存在或被占用!' "$tmp/err" "the missing port is named"

echo "compare e2e tests: $passed passed, $failed failed"
[ "$failed" = 0 ]
