# Shared by the command-line tests: counters and checks, the stand-in
# controller on a pseudo-terminal. The sourcing script sets cli, tmp and,
# for the controller, sim.
passed=0
failed=0
sim_pid=

check() {  # name, expected exit code, actual exit code
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
        failed=$((failed + 1)); echo "FAIL: $1 (exit $3, expected $2)"; fi
}
same() { cmp -s "$1" "$2"; check "$3" 0 $?; }            # file, file, name
has() { grep -q -- "$1" "$2"; check "$3" 0 $?; }         # pattern, file, name

stop_sim() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
        sim_pid=
    fi
}

# Starts the controller with storage $tmp/$1 and any further options; the
# line is $tmp/tty once it has printed its device path.
start_sim() {
    local storage=$1
    shift
    stop_sim
    rm -f "$tmp/sim.out"
    "$sim" --storage "$tmp/$storage" --link "$tmp/tty" "$@" >"$tmp/sim.out" 2>"$tmp/sim.err" &
    sim_pid=$!
    for _ in $(seq 1 200); do
        if [ -s "$tmp/sim.out" ] && [ -L "$tmp/tty" ]; then return 0; fi
        sleep 0.1
    done
    echo "FAIL: the controller did not start"; cat "$tmp/sim.err"
    failed=$((failed + 1))
    return 1
}
