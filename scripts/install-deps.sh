#!/usr/bin/env bash
# Installs the Debian 12 packages Tessellar needs to build, run and test, only those that are
# missing. Runs as root or through sudo; safe to run again.
set -euo pipefail
packages=(
    cmake ninja-build g++ clang-format
    qt6-base-dev qt6-declarative-dev qt6-webengine-dev qt6-translations-l10n
    libfontconfig-dev libssl-dev
    fonts-noto-cjk fonts-ipafont-gothic
    xvfb xauth openbox x11-utils poppler-utils
    dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool
    clang libclang-rt-14-dev
    dpkg-dev appstream desktop-file-utils
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
