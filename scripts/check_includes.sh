#!/usr/bin/env bash
# Fails when an include points the wrong way (see the rules below).
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PYTHON'
"""Fails when an include points the wrong way.

In src/core a folder may include its own and lower folders only; core has
no Qt and nothing of src/ui; src/cli and src/sim include nothing of src/ui.
"""
import pathlib
import re
import sys

# Bottom to top.
CORE_ORDER = ["common", "plc", "compiler", "plc_tables", "ladder_editor",
              "cnc_data", "comm", "app", "transfer"]

# The command-line print draws with the workbench's printout and is built only
# when the workbench is (KELCC_CLI_PRINT).
UI_ALLOWED = {("src/cli/print_command.cpp", "ladder_editor/ladder_printout.h")}

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s+<([^>]+)>')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|qt)')

root = pathlib.Path.cwd()
core = root / "src" / "core"
ui = root / "src" / "ui"
problems = []


def sources(folder):
    return sorted(p for p in folder.rglob("*") if p.suffix in (".h", ".cpp"))


def includes(path):
    for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        quoted = QUOTED.match(line)
        angled = ANGLED.match(line)
        if quoted:
            yield number, quoted.group(1), True
        elif angled:
            yield number, angled.group(1), False


def report(path, number, text):
    problems.append(f"{path.relative_to(root)}:{number}: {text}")


for path in sources(core):
    folder = path.relative_to(core).parts[0]
    rank = CORE_ORDER.index(folder) if folder in CORE_ORDER else None
    if rank is None:
        report(path, 1, f"core folder '{folder}' has no place in the order")
        continue
    for number, name, quoted in includes(path):
        if not quoted:
            if QT_HEADER.match(name):
                report(path, number, f"core includes Qt <{name}>")
            continue
        if (path.parent / name).is_file():
            target = (path.parent / name).resolve().relative_to(core).parts[0]
        elif (core / name).is_file():
            target = pathlib.Path(name).parts[0]
        elif (ui / name).is_file():
            report(path, number, f'core includes the UI "{name}"')
            continue
        else:
            report(path, number, f'"{name}" is not a core file')
            continue
        if target not in CORE_ORDER:
            report(path, number, f'"{name}" is outside the ordered core folders')
        elif CORE_ORDER.index(target) > rank:
            report(path, number, f'{folder} includes the higher folder {target}: "{name}"')

for tool in ("cli", "sim"):
    folder = root / "src" / tool
    for path in sources(folder):
        for number, name, quoted in includes(path):
            if not quoted or (path.parent / name).is_file() or (core / name).is_file():
                continue
            if (ui / name).is_file():
                rel = str(path.relative_to(root))
                if (rel, name) not in UI_ALLOWED:
                    report(path, number, f'{tool} includes the UI "{name}"')

for problem in problems:
    print(problem)
if problems:
    print(f"check_includes: {len(problems)} include(s) against the dependency direction")
    sys.exit(1)
PYTHON
