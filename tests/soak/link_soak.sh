#!/usr/bin/env bash
# Soak run of whole-project transfers over a noisy line: N send and N receive
# sessions between kelcc-cli and kel500-sim, the line paced at a chosen rate
# with one bit flipped in about 1 of every R bytes in both directions.
# Not part of the test suite: it takes minutes to hours and prints figures.
#
#   tests/soak/link_soak.sh [-n SESSIONS] [-r BYTES_PER_FLIP] [-b BAUD]
#                           [-s SEED] [-c CLEAN_SESSIONS] [-k] [-v]
#
# -r 0 runs a clean line. -c runs that many sessions each way on a clean line
# first, for the throughput the noisy sessions are compared with. -k keeps
# the work folder. Tools from KELCC_CLI and KEL500_SIM, else build/debug.
set -u
here=$(cd "$(dirname "$0")/../.." && pwd)
cli=${KELCC_CLI:-$here/build/debug/src/cli/kelcc-cli}
sim=${KEL500_SIM:-$here/build/debug/src/sim/kel500-sim}
sessions=100 every=2000 baud=115200 seed=1 clean=0 keep=0 verbose=0
while getopts "n:r:b:s:c:kv" opt; do
    case $opt in
        n) sessions=$OPTARG ;;
        r) every=$OPTARG ;;
        b) baud=$OPTARG ;;
        s) seed=$OPTARG ;;
        c) clean=$OPTARG ;;
        k) keep=1 ;;
        v) verbose=1 ;;
        *) sed -n '2,13p' "$0"; exit 2 ;;
    esac
done
for tool in "$cli" "$sim"; do
    [ -x "$tool" ] || { echo "missing $tool" >&2; exit 2; }
done

work=$(mktemp -d)
export TMPDIR=$work
sim_pid=
stop_sim() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
        sim_pid=
    fi
}
trap 'stop_sim; [ "$keep" = 1 ] && echo "work folder: $work" || rm -rf "$work"' EXIT
RANDOM=$seed

start_sim() {  # flip rate as a fraction
    stop_sim
    rm -f "$work/sim.out" "$work/tty"
    "$sim" --storage "$work/store" --link "$work/tty" --baud "$baud" --flip-rate "$1" \
        --seed "$seed" >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    for _ in $(seq 1 200); do
        [ -s "$work/sim.out" ] && [ -L "$work/tty" ] && return 0
        sleep 0.1
    done
    echo "the controller did not start" >&2
    cat "$work/sim.err" >&2
    exit 2
}

# A part program of about $2 bytes whose lines depend on $3.
make_program() {
    local i=0
    {
        printf 'O0001\r\n'
        while [ $((i * 20)) -lt "$2" ]; do
            printf 'G01 X%05d Z%05d\r\n' $(((i + $3) % 99999)) $(((i * 7 + $3) % 99999))
            i=$((i + 1))
        done
        printf 'M30\r\n'
    } >"$1"
}

# Tool offsets text of about $2 bytes.
make_offsets() {
    local i=0
    : >"$1"
    while [ $((i * 24)) -lt "$2" ]; do
        printf '%04d\t%+08d\t%+08d\r\n' "$i" $((RANDOM - 16384)) $((RANDOM - 16384)) >>"$1"
        i=$((i + 1))
    done
}

# New content for one session: 10-60 KB with the PLC program.
vary() {  # offsets file, program file
    make_offsets "$1" $((1000 + RANDOM % 4000))
    make_program "$2" $((3000 + RANDOM % 42000)) "$RANDOM"
}

"$cli" project new "$work" soak >/dev/null 2>&1 && "$cli" project new "$work" back >/dev/null 2>&1 ||
    { echo "cannot make the projects" >&2; exit 2; }
proj=$work/soak back=$work/back
"$cli" compile "$proj/main_soak.ldx" --save "$proj/main_soak.ldx" >/dev/null 2>&1
vary "$proj/Tcomp.cmp" "$work/O0001.cnc"
"$cli" project add-program "$proj/soak.gpr" "$work/O0001.cnc" >/dev/null 2>&1 ||
    { echo "cannot add the part program" >&2; exit 2; }
mkdir -p "$work/old" "$work/store/1" "$work/store/2"
# The controller starts with the project, so that every read has all files.
for pair in "main_soak.ldx plc.ldx" "main_soak.ldx.bin plc.bin" "ParaB.par ParaB.par" \
    "ParaW.par ParaW.par" "Tcomp.cmp Tcomp.cmp" "Wcomp.wmp Wcomp.wmp"; do
    set -- $pair
    cp "$proj/$1" "$work/store/1/$2"
done
cp "$proj/O0001.cnc" "$work/store/2/O0001.cnc"

# Pairs of local and controller paths for one direction.
send_pairs() {
    local s=$work/store
    echo "$proj/main_soak.ldx $s/1/plc.ldx $proj/main_soak.ldx.bin $s/1/plc.bin" \
        "$proj/ParaB.par $s/1/ParaB.par $proj/ParaW.par $s/1/ParaW.par" \
        "$proj/Tcomp.cmp $s/1/Tcomp.cmp $proj/Wcomp.wmp $s/1/Wcomp.wmp" \
        "$proj/O0001.cnc $s/2/O0001.cnc"
}
receive_pairs() {
    local s=$work/store
    echo "$back/main_back.ldx $s/1/plc.ldx $back/ParaB.par $s/1/ParaB.par" \
        "$back/ParaW.par $s/1/ParaW.par $back/Tcomp.cmp $s/1/Tcomp.cmp" \
        "$back/Wcomp.wmp $s/1/Wcomp.wmp $back/O0001.cnc $s/2/O0001.cnc"
}

# Copies what the target side holds before a session ($1: 0 local, 1 controller).
save_old() {
    local pairs=($2) i=0
    rm -f "$work/old"/*
    while [ $i -lt ${#pairs[@]} ]; do
        local target=${pairs[$((i + $1))]}
        [ -f "$target" ] && cp "$target" "$work/old/$((i / 2))"
        i=$((i + 2))
    done
}

# Compares the target side with the source after a session: prints "new"
# (all arrived), "old" (not all arrived, nothing else wrong) or "damaged".
# A file is damaged when it is neither as sent nor as before. The project
# takes received files all together, so there a mix is damage too; the
# controller keeps each file that arrived whole, and a file deleted before
# it was written again may be missing after a failed send.
judge() {  # target index, pairs
    local pairs=($2) i=0 new=0 old=0 other=0
    while [ $i -lt ${#pairs[@]} ]; do
        local source=${pairs[$((i + 1 - $1))]} target=${pairs[$((i + $1))]}
        local was=$work/old/$((i / 2))
        if cmp -s "$source" "$target"; then
            if [ -f "$was" ] && cmp -s "$was" "$target"; then :; else new=$((new + 1)); fi
        elif [ -f "$was" ] && cmp -s "$was" "$target"; then
            old=$((old + 1))
        elif [ ! -f "$target" ] && { [ ! -f "$was" ] || [ "$1" = 1 ]; }; then
            old=$((old + 1))
        else
            other=$((other + 1))
        fi
        i=$((i + 2))
    done
    if [ $other -gt 0 ] || { [ "$1" = 0 ] && [ $new -gt 0 ] && [ $old -gt 0 ]; }; then
        echo damaged
    elif [ $old -gt 0 ]; then echo old
    else echo new; fi
}

bytes_of() {  # sum of the source sizes
    local pairs=($2) i=0 total=0
    while [ $i -lt ${#pairs[@]} ]; do
        total=$((total + $(stat -c %s "${pairs[$((i + 1 - $1))]}")))
        i=$((i + 2))
    done
    echo $total
}

declare -A count
# One session: direction, label ("clean" or "noisy").
session() {
    local dir=$1 label=$2 pairs target source start end code verdict outcome bytes
    if [ "$dir" = send ]; then
        vary "$proj/Tcomp.cmp" "$proj/O0001.cnc"
        pairs=$(send_pairs) target=1
    else
        # A failed send may have left a file deleted on the controller.
        [ -f "$work/store/1/plc.ldx" ] || cp "$proj/main_soak.ldx" "$work/store/1/plc.ldx"
        for f in ParaB.par ParaW.par Wcomp.wmp; do
            [ -f "$work/store/1/$f" ] || cp "$proj/$f" "$work/store/1/$f"
        done
        vary "$work/store/1/Tcomp.cmp" "$work/store/2/O0001.cnc"
        pairs=$(receive_pairs) target=0
    fi
    save_old $target "$pairs"
    bytes=$(bytes_of $target "$pairs")
    start=$(date +%s.%N)
    if [ "$dir" = send ]; then
        timeout 300 "$cli" send "$proj/soak.gpr" --device "$work/tty" --plc --params --tools \
            --pitch --program O0001 2>"$work/err"
    else
        timeout 300 "$cli" receive "$back/back.gpr" --device "$work/tty" --plc --params \
            --tools --pitch --program 2:O0001 --overwrite 2>"$work/err"
    fi
    code=$?
    end=$(date +%s.%N)
    verdict=$(judge $target "$pairs")
    local seconds
    seconds=$(echo "$end - $start" | bc -l)
    if [ $code = 124 ]; then outcome=hung
    elif [ "$verdict" = damaged ]; then outcome=damaged
    elif [ $code = 0 ] && [ "$verdict" = new ]; then outcome=completed
    elif [ $code = 0 ]; then outcome=silent
    elif [ "$verdict" = new ]; then outcome=reported_failed
    else outcome=failed_cleanly; fi
    local key="$label,$dir"
    count[$key,$outcome]=$((${count[$key,$outcome]:-0} + 1))
    if [ $outcome = completed ]; then
        count[$key,bytes]=$((${count[$key,bytes]:-0} + bytes))
        count[$key,ms]=$((${count[$key,ms]:-0} + $(echo "$seconds * 1000 / 1" | bc)))
    elif [ $code != 0 ]; then
        local ms
        ms=$(echo "$seconds * 1000 / 1" | bc)
        [ "$ms" -gt "${count[$key,slowest]:-0}" ] && count[$key,slowest]=$ms
        local message
        message=$(grep -v ' -> \|字节/秒' "$work/err" | tail -n 2 | tr '\n' ' ')
        echo "$message" >>"$work/messages.$dir"
    fi
    [ "$verbose" = 1 ] && printf '%s %s %s exit %s %s bytes %.1f s\n' "$label" "$dir" \
        "$outcome" "$code" "$bytes" "$seconds"
}

run_sessions() {  # count, label
    local i
    for i in $(seq 1 "$1"); do
        session send "$2"
        session receive "$2"
    done
}

report() {  # label, direction, clean rate or empty
    local key="$1,$2" n=0 o rate=0
    for o in completed failed_cleanly reported_failed silent damaged hung; do
        n=$((n + ${count[$key,$o]:-0}))
    done
    [ $n = 0 ] && return
    if [ "${count[$key,ms]:-0}" -gt 0 ]; then
        rate=$(echo "${count[$key,bytes]} * 1000 / ${count[$key,ms]}" | bc)
    fi
    printf '%-5s %-7s sessions %4d  completed %4d  failed cleanly %3d  completed but reported failed %d  silent differences %d  damaged projects %d  hung %d  mean %6d B/s' \
        "$1" "$2" $n "${count[$key,completed]:-0}" "${count[$key,failed_cleanly]:-0}" \
        "${count[$key,reported_failed]:-0}" "${count[$key,silent]:-0}" \
        "${count[$key,damaged]:-0}" "${count[$key,hung]:-0}" "$rate"
    [ -n "$3" ] && [ "$3" -gt 0 ] && printf '  (%.2f of the clean line)' "$(echo "$rate / $3" | bc -l)"
    [ "${count[$key,slowest]:-0}" -gt 0 ] &&
        printf '  slowest failure %.1f s' "$(echo "${count[$key,slowest]} / 1000" | bc -l)"
    printf '\n'
}

rate_of() {
    local key="$1,$2"
    [ "${count[$key,ms]:-0}" -gt 0 ] && echo "${count[$key,bytes]} * 1000 / ${count[$key,ms]}" | bc
}

if [ "$clean" -gt 0 ]; then
    start_sim 0
    run_sessions "$clean" clean
fi
if [ "$sessions" -gt 0 ]; then
    flip=0
    [ "$every" -gt 0 ] && flip=$(echo "1 / $every" | bc -l)
    start_sim "$flip"
    run_sessions "$sessions" noisy
    stop_sim
fi

if [ "$every" -gt 0 ] && [ "$sessions" -gt 0 ]; then
    echo "line: $baud baud, one bit flipped in about 1 of every $every bytes each way, seed $seed"
else
    echo "line: $baud baud, clean, seed $seed"
fi
for dir in send receive; do
    report clean $dir ""
    report noisy $dir "$(rate_of clean $dir)"
done
for dir in send receive; do
    if [ -s "$work/messages.$dir" ]; then
        echo "messages of the failed $dir sessions:"
        sort "$work/messages.$dir" | uniq -c | sort -rn
    fi
done
