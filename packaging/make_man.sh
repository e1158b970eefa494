#!/bin/sh
# Writes a manual page from a program's own --help and --version texts, so
# the page cannot say anything the program does not.
#   make_man.sh PROGRAM NAME OUT.1 [ENV=VALUE...]
# The help text is "Usage: ..." (indented lines continue it), a description
# up to the first blank line, then sections headed "Title:" at column 0.
set -eu
program=$1
name=$2
out=$3
shift 3
help=$(env "$@" "$program" --help)
version=$(env "$@" "$program" --version | head -n 1)
printf '%s\n' "$help" | awk -v name="$name" -v version="$version" '
function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    if (s ~ /^[.\047]/) s = "\\&" s
    return s
}
function close_block() { if (inblock) { print ".fi"; inblock = 0 } }
BEGIN {
    print ".\\\" Generated from " name " --help; do not edit."
    print ".TH " toupper(name) " 1 \"\" \"" version "\" \"User Commands\""
    state = "usage"
}
state == "usage" && /^[Uu]sage: / { sub(/^[Uu]sage: +/, ""); synopsis = $0; next }
state == "usage" && /^ +/ { sub(/^ +/, ""); synopsis = synopsis " " $0; next }
state == "usage" {
    print ".SH NAME"
    print esc(name) " \\- " esc($0)
    print ".SH SYNOPSIS"
    print ".B " esc(synopsis)
    print ".SH DESCRIPTION"
    print esc($0)
    state = "description"
    next
}
state == "description" && /^$/ { state = "body"; next }
state == "description" { print esc($0); next }
/^[A-Z][A-Za-z ]*:$/ {
    close_block()
    sub(/:$/, "")
    print ".SH " toupper($0)
    next
}
{
    if (!inblock) { print ".nf"; inblock = 1 }
    print esc($0)
}
END { close_block() }
' >"$out.tmp"
mv "$out.tmp" "$out"
