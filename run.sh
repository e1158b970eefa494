#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the
# workbench. ./run.sh --demo opens a fresh copy of the bundled sample
# project with a stand-in controller on port 1 (a settings file of its own,
# the user's is not touched); any other arguments go to kelcc (for example
# a project file).
set -euo pipefail
cd "$(dirname "$0")"
root="$(pwd)"

demo=0
args=()
for arg in "$@"; do
    if [ "$arg" = "--demo" ]; then demo=1; else args+=("$arg"); fi
done

./scripts/install_deps.sh
cmake --preset release >/dev/null
targets=(kelcc-cli kel500-sim)
# Read in full first: grep -q leaving early would break the pipe under make.
build_targets="$(cmake --build --preset release --target help)"
if grep -q '^kelcc:' <<<"$build_targets"; then
    targets+=(kelcc)
fi
cmake --build --preset release --target "${targets[@]}"

kelcc="$root/build/release/src/ui/kelcc"
cli="$root/build/release/src/cli/kelcc-cli"
if [ ! -x "$kelcc" ]; then
    echo "run.sh: the workbench program $kelcc was not built;" >&2
    echo "        the command-line tool is there: $cli --help" >&2
    exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat <<MSG
No display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
workbench is not started. Ways to run it:
  on a virtual X display:  xvfb-run -a ./run.sh $*
  headless check:          QT_QPA_PLATFORM=offscreen ./run.sh $*
  command-line tool:       build/release/src/cli/kelcc-cli --help
MSG
    exit 0
fi

if [ "$demo" = 1 ]; then
    # The bundled copy stays as it is; the workbench edits a fresh one.
    work="$(mktemp -d)"
    mkdir "$work/LatheDemo"
    cp -R data/demo/. "$work/LatheDemo/"
    echo "Demo project: $work/LatheDemo/LatheDemo.gpr"
    args=("$work/LatheDemo/LatheDemo.gpr" ${args[@]+"${args[@]}"})

    # A controller that already holds a PLC program, parameters and two
    # part programs, on a pseudo-terminal that port 1 of the demo's own
    # settings file names.
    store="$work/controller"
    mkdir -p "$store/1" "$store/2" "$store/3"
    cp data/demo/main_LatheDemo.ldx "$store/1/plc.ldx"
    cp data/demo/main_LatheDemo.ldx.bin "$store/1/plc.bin"
    cp data/demo/ParaB.par data/demo/ParaW.par data/demo/Tcomp.cmp data/demo/Wcomp.wmp "$store/1/"
    cp data/demo/O0001.cnc "$store/2/"
    cp data/demo/O0002.cnc "$store/3/"
    "$root/build/release/src/sim/kel500-sim" --storage "$store" --link "$work/cnc-tty" \
        --baud 115200 >"$work/sim.out" 2>"$work/sim.err" &
    sim_pid=$!
    trap 'kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null' EXIT
    for _ in $(seq 1 100); do
        [ -L "$work/cnc-tty" ] && break
        sleep 0.1
    done
    if [ ! -L "$work/cnc-tty" ]; then
        echo "run.sh: the stand-in controller did not start:" >&2
        cat "$work/sim.err" >&2
        exit 1
    fi
    printf '[COMMSET]\nport=1\nbaud=115200\ndevice1=%s\n' "$work/cnc-tty" >"$work/KELCC.ini"
    echo "Stand-in controller on port 1: $work/cnc-tty (Transfer menu: connect, read, send)"
    KELCC_SETTINGS="$work/KELCC.ini" "$kelcc" ${args[@]+"${args[@]}"}
    exit $?
fi
exec "$kelcc" ${args[@]+"${args[@]}"}
