#!/usr/bin/env bash
# Builds the program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target lumo-tv-player lumo-skin

# Until real windows exist the program runs on the virtual screen and leaves a screenshot.
shot="$PWD/build/lumo-tv-player.png"
LUMO_BACKEND=headless LUMO_SCREENSHOT="$shot" ./build/lumo-tv-player
echo "The main window is in $shot"
