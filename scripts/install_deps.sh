#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only when some are
# missing. Runs as root on a fresh machine; elsewhere through sudo when
# there is one.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config git
    clang libclang-rt-14-dev clang-format clang-tidy
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    qt6-translations-l10n
    fonts-noto-cjk
    xvfb xauth
    desktop-file-utils librsvg2-bin shared-mime-info groff-base file dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" != 0 ]; then
    command -v sudo >/dev/null || { echo "Run as root to install: ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
