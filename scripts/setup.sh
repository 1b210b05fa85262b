#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Safe to run again: it installs
# only what is missing, as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    zlib1g-dev libpng-dev libjpeg-dev libfreetype-dev libfontconfig-dev
    fonts-wine fonts-dejavu-core
    clang libclang-rt-14-dev
    libgtk-3-dev libwebkit2gtk-4.1-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    gstreamer1.0-plugins-bad gstreamer1.0-libav gstreamer1.0-tools ffmpeg
    xvfb xauth xdotool x11-xkb-utils x11-utils libxext-dev imagemagick
    file lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "setup: these packages are missing and there is no sudo to install them: ${missing[*]}" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
