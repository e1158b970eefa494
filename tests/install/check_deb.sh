#!/usr/bin/env bash
# Checks a built kelcc .deb: its control fields, its file list, and the
# programs unpacked into a scratch root.
#   check_deb.sh PACKAGE.deb
set -u
deb=${1:?}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0

check() {  # name, expected exit code, actual exit code
    if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
        failed=$((failed + 1)); echo "FAIL: $1 (exit $3, expected $2)"; fi
}

dpkg-deb -I "$deb" >"$tmp/info"; check "dpkg-deb -I" 0 $?
depends=$(dpkg-deb -f "$deb" Depends)
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' >"$tmp/depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 libc6 \
    libstdc++6; do
    grep -qxF "$lib" "$tmp/depends"; check "depends on $lib" 0 $?
done
! grep -q -- '-dev' <<<"$depends"; check "no development package in Depends ($depends)" 0 $?
[ "$(dpkg-deb -f "$deb" Package)" = kelcc ]; check "package name" 0 $?

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | sort >"$tmp/files"
while read -r f; do
    grep -qx "/usr/$f" "$tmp/files"; check "package holds /usr/$f" 0 $?
done <"$(dirname "$0")/installed_files"
! grep -Eq '\.(a|h)$|/include/|/lib/cmake/' "$tmp/files"
check "no libraries or headers for developers" 0 $?

dpkg -x "$deb" "$tmp/root"; check "dpkg -x" 0 $?
out=$("$tmp/root/usr/bin/kelcc-cli" --version); check "unpacked kelcc-cli runs" 0 $?
[ "$out" = "kelcc-cli $(dpkg-deb -f "$deb" Version)" ]; check "version matches the package" 0 $?
! file "$tmp/root/usr/bin/kelcc" | grep -q 'not stripped'; check "programs are stripped" 0 $?

echo "package checks: $passed passed, $failed failed"
[ "$failed" = 0 ]
