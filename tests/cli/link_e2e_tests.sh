#!/usr/bin/env bash
# The link commands of the command-line tool against the stand-in controller
# on a pseudo-terminal: whole sessions, checked byte for byte.
set -u
cli=${KELCC_CLI:?}
sim=${KEL500_SIM:?}
tmp=$(mktemp -d)
# Staging folders the tool keeps after a failed session stay in here.
export TMPDIR=$tmp
trap 'stop_sim; rm -rf "$tmp"' EXIT
# shellcheck source=test_lib.sh
. "$(dirname "$0")/test_lib.sh"

# Every run of the tool is bounded, so a hung session fails the case.
run() { timeout 300 "$cli" "$@"; }

# A part program of about $2 bytes, CR LF lines.
make_program() {
    local name=$1 size=$2 i=0
    {
        printf '%s\r\n' "$name"
        while [ $((i * 20)) -lt "$size" ]; do
            printf 'G01 X%05d Z%05d\r\n' "$i" $((i * 7 % 99999))
            i=$((i + 1))
        done
        printf 'M30\r\n'
    } >"$tmp/$name.cnc"
}

# A project with a compiled PLC program and two part programs.
run project new "$tmp" demo >/dev/null 2>&1; check "project new" 0 $?
proj=$tmp/demo
run compile "$proj/main_demo.ldx" --save "$proj/main_demo.ldx" >/dev/null 2>&1
check "compile the PLC program" 0 $?
printf 'seed\r\n' >>"$proj/Tcomp.cmp"
make_program O0001 3000
make_program O0002 20000
run project add-program "$proj/demo.gpr" "$tmp/O0001.cnc" >/dev/null 2>&1; check "add O0001" 0 $?
run project add-program "$proj/demo.gpr" "$tmp/O0002.cnc" >/dev/null 2>&1; check "add O0002" 0 $?

all_config="--plc --params --tools --pitch"
config_files="ParaB.par ParaW.par Tcomp.cmp Wcomp.wmp"

# Case: the whole project sent, listed and read back byte-identical.
if start_sim store1; then
    # shellcheck disable=SC2086
    run send "$proj/demo.gpr" --device "$tmp/tty" $all_config --program O0001 --program O0002 \
        2>"$tmp/err"
    check "send the project" 0 $?
    has '所有文件传送完毕' "$tmp/err" "send reports all sent"
    same "$proj/main_demo.ldx" "$tmp/store1/1/plc.ldx" "plc.ldx on the controller"
    same "$proj/main_demo.ldx.bin" "$tmp/store1/1/plc.bin" "plc.bin on the controller"
    for f in $config_files; do same "$proj/$f" "$tmp/store1/1/$f" "$f on the controller"; done
    for p in O0001 O0002; do
        same "$proj/$p.cnc" "$tmp/store1/2/$p.cnc" "$p.cnc on the controller"
    done

    run list --device "$tmp/tty" --area 2 >"$tmp/list2" 2>"$tmp/err"; check "list area 2" 0 $?
    printf 'O0001.cnc\t%s\t2\nO0002.cnc\t%s\t2\n' "$(stat -c %s "$tmp/O0001.cnc")" \
        "$(stat -c %s "$tmp/O0002.cnc")" >"$tmp/list2.expected"
    same "$tmp/list2" "$tmp/list2.expected" "list area 2 names sizes and area"
    run list --device "$tmp/tty" --area 1 >"$tmp/list1" 2>/dev/null; check "list area 1" 0 $?
    [ "$(wc -l <"$tmp/list1")" = 6 ]; check "area 1 holds six files" 0 $?
    grep -q $'^plc.ldx\t'"$(stat -c %s "$proj/main_demo.ldx")"$'\t1$' "$tmp/list1"
    check "list area 1 gives plc.ldx with its size" 0 $?
    run list --device "$tmp/tty" --area 3 >"$tmp/list3" 2>/dev/null; check "list empty area" 0 $?
    [ ! -s "$tmp/list3" ]; check "empty area prints nothing" 0 $?

    run project new "$tmp" back >/dev/null 2>&1; check "second project" 0 $?
    back=$tmp/back
    # shellcheck disable=SC2086
    run receive "$back/back.gpr" --device "$tmp/tty" $all_config --program 2:O0001 \
        --program 2:O0002.cnc 2>"$tmp/err"
    check "receive everything" 0 $?
    has '所有文件接收完毕' "$tmp/err" "receive reports all received"
    same "$proj/main_demo.ldx" "$back/main_back.ldx" "PLC program read back"
    for f in $config_files O0001.cnc O0002.cnc; do
        same "$proj/$f" "$back/$f" "$f read back identical"
    done
    run project show "$back/back.gpr" >"$tmp/show" 2>/dev/null
    has $'\tO0002\t' "$tmp/show" "received program is in the project"

    # Already in the project: kept without --overwrite, replaced with it.
    printf 'O0001\r\nlocal\r\n' >"$back/O0001.cnc"
    run receive "$back/back.gpr" --device "$tmp/tty" --program 2:O0001 2>"$tmp/err"
    check "receive without --overwrite refuses" 1 $?
    has 'local' "$back/O0001.cnc" "the project's program is kept"
    run receive "$back/back.gpr" --device "$tmp/tty" --program 2:O0001 --overwrite 2>/dev/null
    check "receive with --overwrite" 0 $?
    same "$proj/O0001.cnc" "$back/O0001.cnc" "--overwrite replaces the program"

    run receive "$back/back.gpr" --device "$tmp/tty" --program 3:O0001 2>"$tmp/err"
    check "receive a program the controller lacks" 1 $?
    run list --device "$tmp/tty" --area 1 >/dev/null 2>&1; check "link usable afterwards" 0 $?
fi
stop_sim

# Case: files already on the controller are deleted and written again.
if start_sim store2; then
    run send "$proj/demo.gpr" --device "$tmp/tty" --tools --program O0001 >/dev/null 2>&1
    check "first send" 0 $?
    printf 'O0001\r\nG00 X1\r\nG01 Z2\r\nM30\r\n' >"$proj/O0001.cnc"
    printf 'changed\r\n' >>"$proj/Tcomp.cmp"
    run send "$proj/demo.gpr" --device "$tmp/tty" --tools --program O0001 2>"$tmp/err"
    check "send over existing files" 0 $?
    same "$proj/O0001.cnc" "$tmp/store2/2/O0001.cnc" "program replaced"
    same "$proj/Tcomp.cmp" "$tmp/store2/1/Tcomp.cmp" "table replaced"
    ls "$tmp/store2/2" >"$tmp/names"
    [ "$(cat "$tmp/names")" = O0001.cnc ]; check "no side files left" 0 $?
fi
stop_sim

# Case: a noisy line, one corrupted byte in 2000 both ways. Every file
# arrives identical or the session ends with an error; a file that is there
# is never silently different.
make_program O0003 60000
run project add-program "$proj/demo.gpr" "$tmp/O0003.cnc" >/dev/null 2>&1; check "add O0003" 0 $?
for seed in 3 11 29; do
    if start_sim "noisy$seed" --corrupt-rate 0.0005 --seed "$seed"; then
        store=$tmp/noisy$seed
        run send "$proj/demo.gpr" --device "$tmp/tty" --params --tools --program O0003 \
            >/dev/null 2>"$tmp/err"
        rc=$?
        [ "$rc" = 0 ] || [ "$rc" = 1 ]; check "noisy send $seed ends" 0 $?
        for f in 1/ParaB.par 1/ParaW.par 1/Tcomp.cmp 2/O0003.cnc; do
            if [ -e "$store/$f" ]; then
                same "$proj/${f#*/}" "$store/$f" "noisy send $seed: $f identical"
            elif [ "$rc" = 0 ]; then
                check "noisy send $seed: $f arrived" present missing
            fi
        done
        ls "$store"/*/ | grep -q -v -E '^(ParaB.par|ParaW.par|Tcomp.cmp|O0003.cnc|)$|:$'
        check "noisy send $seed: no stray files" 1 $?
        # Read back what the controller holds, through the same line.
        run project new "$tmp" "noisy_back$seed" >/dev/null 2>&1
        nb=$tmp/noisy_back$seed
        cp -r "$tmp/store1/1/." "$store/1/" 2>/dev/null
        cp "$proj/O0002.cnc" "$store/2/"
        run receive "$nb/noisy_back$seed.gpr" --device "$tmp/tty" --params --plc \
            --program 2:O0002 >/dev/null 2>"$tmp/err"
        rc=$?
        [ "$rc" = 0 ] || [ "$rc" = 1 ]; check "noisy receive $seed ends" 0 $?
        if [ "$rc" = 0 ]; then
            for f in ParaB.par ParaW.par O0002.cnc; do
                cmp -s "$store/1/$f" "$nb/$f" 2>/dev/null || cmp -s "$store/2/$f" "$nb/$f"
                check "noisy receive $seed: $f identical" 0 $?
            done
            cmp -s "$store/1/plc.ldx" "$nb/main_noisy_back$seed.ldx"
            check "noisy receive $seed: PLC program identical" 0 $?
        else
            # Nothing half-received was adopted into the project.
            [ ! -e "$nb/O0002.cnc" ] || cmp -s "$proj/O0002.cnc" "$nb/O0002.cnc"
            check "noisy receive $seed: no different program" 0 $?
        fi
        # Whatever a failed session left staged is whole.
        for staged in $(find "$tmp" -path '*kelcc-cli-*' -type f -name 'O0002.cnc'); do
            same "$proj/O0002.cnc" "$staged" "noisy receive $seed: staged file whole"
        done
    fi
    stop_sim
done

# Case: a 1 MiB part program whose transfer the controller breaks off;
# the tool is asked whether to resume, answers Yes, and the program on the
# controller ends identical.
make_program O0004 1110000
[ "$(stat -c %s "$tmp/O0004.cnc")" -ge 1048576 ]; check "O0004 is at least 1 MiB" 0 $?
run project add-program "$proj/demo.gpr" "$tmp/O0004.cnc" >/dev/null 2>&1; check "add O0004" 0 $?
if start_sim store4 --interrupt-after 300000; then
    run send "$proj/demo.gpr" --device "$tmp/tty" --program O0004 2>"$tmp/err"
    check "interrupted send completes" 0 $?
    has '需要从断点处进行续传吗' "$tmp/err" "the tool was asked to resume"
    has '取消DNC文件传送。 -> yes' "$tmp/err" "the tool answered Yes"
    same "$tmp/O0004.cnc" "$tmp/store4/2/O0004.cnc" "resumed program identical"
    ls "$tmp/store4/2" >"$tmp/names"
    [ "$(cat "$tmp/names")" = O0004.cnc ]; check "resumed send leaves no side files" 0 $?
fi
stop_sim

# Case: a controller that is busy now and then while taking data; the
# session waits it out and completes.
if start_sim store5 --busy 300; then
    run send "$proj/demo.gpr" --device "$tmp/tty" --params --tools --program O0002 2>"$tmp/err"
    check "send to a busy controller" 0 $?
    has '所有文件传送完毕' "$tmp/err" "busy send reports all sent"
    for f in ParaB.par ParaW.par Tcomp.cmp; do
        same "$proj/$f" "$tmp/store5/1/$f" "busy send: $f identical"
    done
    same "$proj/O0002.cnc" "$tmp/store5/2/O0002.cnc" "busy send: O0002 identical"
    run project new "$tmp" busy_back >/dev/null 2>&1; check "busy read-back project" 0 $?
    run receive "$tmp/busy_back/busy_back.gpr" --device "$tmp/tty" --params --program 2:O0002 \
        2>"$tmp/err"
    check "receive from a busy controller" 0 $?
    for f in ParaB.par ParaW.par O0002.cnc; do
        same "$proj/$f" "$tmp/busy_back/$f" "busy receive: $f identical"
    done
fi
stop_sim

# Case: the controller goes away in the middle of a receive. The tool ends
# with an error, nothing half-received reaches the project and no staging
# folder is left behind.
mkdir -p "$tmp/store6/2"
cp "$tmp/O0004.cnc" "$tmp/store6/2/"
run project new "$tmp" gone >/dev/null 2>&1; check "project for the broken receive" 0 $?
if start_sim store6 --baud 115200; then
    rm -f "$tmp/gone.err"
    run receive "$tmp/gone/gone.gpr" --device "$tmp/tty" --program 2:O0004 2>"$tmp/gone.err" &
    cli_pid=$!
    # Wait (bounded) until part of the program has arrived.
    started=no
    for _ in $(seq 1 600); do
        if find "$tmp" -path '*kelcc-cli-*' -type f -size +2k 2>/dev/null | grep -q .; then
            started=yes
            break
        fi
        kill -0 "$cli_pid" 2>/dev/null || break
        sleep 0.1
    done
    check "the receive got under way" yes "$started"
    kill -9 "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
    sim_pid=
    wait "$cli_pid"
    check "receive from a vanished controller fails" 1 $?
    # Something besides progress, answered questions and the connection.
    grep -v -e ' [0-9]*/[0-9]* ' -e ' -> ' -e '连接成功!' "$tmp/gone.err" | grep -q .
    check "an error message is shown" 0 $?
    [ ! -e "$tmp/gone/O0004.cnc" ]; check "no partial program in the project" 0 $?
    find "$tmp" -path '*kelcc-cli-*' >"$tmp/left"
    [ ! -s "$tmp/left" ]; check "no staging folder left behind" 0 $?
fi
stop_sim

# Case: no link (list without a device is a golden corpus case).
run send "$proj/demo.gpr" --device "$tmp/no-such-tty" --params >/dev/null 2>"$tmp/err"
check "send without a device" 2 $?
has '串口不存在或被占用!' "$tmp/err" "send names the port"
# A controller that hears nothing: the handshake fails, is tried once more,
# then the connection message.
if start_sim store3 --drop-rate 1; then
    run list --device "$tmp/tty" --area 1 >"$tmp/out" 2>"$tmp/err"; check "silent controller" 2 $?
    has '连接失败!请检查硬件连接。' "$tmp/err" "silent controller message"
fi
stop_sim

echo "link e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
