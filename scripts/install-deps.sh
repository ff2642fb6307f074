#!/usr/bin/env bash
# Installs whatever a fresh Debian 12 machine lacks to build, test, fuzz,
# benchmark and package the project (dpkg-dev and file for CPack's Debian
# packages). Quick and silent when everything is already there.
set -euo pipefail

packages=(
    g++ make cmake pkg-config
    libgtest-dev libgmock-dev
    libfreeimage-dev libtinyxml2-dev nlohmann-json3-dev
    libhwy-dev libssl-dev libtiff-dev
    android-libetc1-dev libsquish-dev etc1tool
    clang clang-format libclang-rt-14-dev
    time
    dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]}; run as root to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
