#!/usr/bin/env bash
# Builds the program and runs it. On a desktop it opens its window. On a machine without a display
# (a server) it runs on a private virtual display for a few seconds and leaves a screenshot of it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target lumo-tv-player lumo-skin cef lumo_player_page

if [ -n "${DISPLAY:-}" ]; then
    exec ./build/lumo-tv-player "$@"
fi

shot="$PWD/build/lumo-tv-player.png"
work="$(mktemp -d)"
xvfb=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "run: the virtual display (Xvfb) did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

./build/lumo-tv-player "$@" &
program=$!
# The main window shows within a few seconds; then the screen is saved.
xdotool search --sync --limit 1 --name "Lumo TV Player" >/dev/null 2>&1 &
finder=$!
for _ in $(seq 100); do
    kill -0 "$finder" 2>/dev/null || break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
kill "$finder" 2>/dev/null || true
sleep 1
if ! kill -0 "$program" 2>/dev/null; then
    wait "$program" || code=$?
    program=""
    echo "run: the program ended early (exit code ${code:-0})" >&2
    exit 1
fi
import -window root "$shot"
echo "There is no display here, so the program ran on a virtual one; its screen is in $shot"
