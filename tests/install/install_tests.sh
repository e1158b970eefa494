#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and
# a shell find there: programs that run from it, their manual pages, the
# desktop entry, the project file type, icons and completion.
set -u
build=${KELCC_BUILD_DIR:?}
source_dir=${KELCC_SOURCE_DIR:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr
passed=0
failed=0

check() {  # name, expected exit code, actual exit code
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
        failed=$((failed + 1)); echo "FAIL: $1 (exit $3, expected $2)"; fi
}

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1
check "cmake --install" 0 $?

# The files a package holds too (check_deb.sh).
while read -r f; do
    [ -s "$prefix/$f" ]; check "installed $f" 0 $?
done <"$source_dir/tests/install/installed_files"
file "$prefix/share/icons/hicolor/48x48/apps/kelcc.png" | grep -q '48 x 48'
check "the 48 pixel icon is 48 by 48" 0 $?

# Every program answers --version with its name and one version.
version=$(sed -n 's/^project(kelcc VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
for p in kelcc kelcc-cli kel500-sim; do
    out=$("$prefix/bin/$p" --version 2>&1)
    check "$p --version" 0 $?
    [ "$out" = "$p $version" ]; check "$p --version says '$p $version' ($out)" 0 $?
done

# Manual pages: the installed page is what the installed program's --help
# gives now, renders without warnings and documents every section.
for p in kelcc kelcc-cli kel500-sim; do
    page=$prefix/share/man/man1/$p.1
    sh "$source_dir/packaging/make_man.sh" "$prefix/bin/$p" "$p" "$tmp/$p.1"
    cmp -s "$page" "$tmp/$p.1"; check "$p.1 matches $p --help" 0 $?
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ]; check "$p.1 renders without warnings: $warnings" 0 $?
    for section in NAME SYNOPSIS DESCRIPTION 'EXIT STATUS' EXAMPLES; do
        grep -q "^\.SH $section\$" "$page"; check "$p.1 has $section" 0 $?
    done
done
grep -q '^  compare FILE.gpr' <("$prefix/bin/kelcc-cli" --help); check "help lists compare" 0 $?

# Desktop entry and project file type.
desktop=$prefix/share/applications/kelcc.desktop
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$desktop" 2>&1)
    [ -z "$out" ]; check "desktop-file-validate: $out" 0 $?
else
    echo "SKIP: desktop-file-validate is not installed"
fi
mime=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
[ -n "$mime" ]; check "desktop entry names a MIME type" 0 $?
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/mime/packages"
    cp "$prefix/share/mime/packages/kelcc.xml" "$tmp/mime/packages/"
    update-mime-database "$tmp/mime" 2>"$tmp/mime.err"; check "update-mime-database" 0 $?
    grep -q "^$mime:\*\.gpr\$" "$tmp/mime/globs"; check "*.gpr is $mime" 0 $?
fi

# The installed workbench finds its English translation from the prefix.
# What the platform libraries keep at exit is no concern here (sanitizer
# builds).
printf '[Options]\nLang=1\n' >"$tmp/KELCC.ini"
out=$(ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
    KELCC_SETTINGS="$tmp/KELCC.ini" KELCC_REPORT_STARTUP=1 QT_QPA_PLATFORM=offscreen \
    HOME="$tmp" timeout 30 "$prefix/bin/kelcc" 2>"$tmp/kelcc.err")
check "installed kelcc starts" 0 $?
grep -q 'language en$' <<<"$out"; check "installed kelcc runs in English ($out)" 0 $?

# The completion offers the commands and each command's options.
complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _kelcc_cli
             printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix/share/bash-completion/completions/kelcc-cli" "$@"
}
[ "$(complete_words kelcc-cli com)" = "$(printf 'compile\ncompare')" ]
check "completion of com" 0 $?
complete_words kelcc-cli compare x.gpr --d | grep -qx -- --device; check "completion of --d" 0 $?

echo "install tests: $passed passed, $failed failed"
[ "$failed" = 0 ]
