#!/usr/bin/env bash
# Installs the Debian 12 packages Tarvik needs to build and test; skips what is present.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev
    libpng-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core
    clang-format
    clang-14 libclang-rt-14-dev
    dpkg-dev file desktop-file-utils groff
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

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
