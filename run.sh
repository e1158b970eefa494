#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the
# workbench. ./run.sh --demo opens a fresh copy of the bundled sample
# project; any other arguments go to kelcc (for example a project file).
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
targets=(kelcc-cli)
if cmake --build --preset release --target help | grep -q '^kelcc:'; then
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
fi
exec "$kelcc" ${args[@]+"${args[@]}"}
