#!/usr/bin/env bash
# Shows Sorabell at work: builds the Windows programs, lets the demo play songs with Japanese
# tags and lyrics on the player stand-in in a display of its own (or on $DISPLAY when one is
# set, to watch it live), works the preferences program beside it, and writes pictures of both
# programs' windows and an animation of the player's window to out/demo/. On a fresh Debian 12
# machine (as root) it first installs what is missing.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
# shellcheck source=lib/setup.sh
source scripts/lib/setup.sh
# shellcheck source=lib/wine.sh
source scripts/lib/wine.sh

started=$SECONDS
sorabell_setup

preset=$(sorabell_windows_preset)
sorabell_check_tools "$(sorabell_wine_loader "$preset")"
if [[ $preset == win32-x64 ]]; then
    echo "note: this kernel runs no 32-bit programs; the demo runs the x86-64 build under wine64."
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target sorabell-demo

out=$PWD/out/demo
frames=$PWD/build/$preset/demo-frames
rm -rf "$out" "$frames"
mkdir -p "$out" "$frames"

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    sorabell_xvfb_stop
}
trap cleanup EXIT
# The build's Wine environment in a prefix of the demo's own: it writes its settings into that registry.
sorabell_export_wine_env "build/$preset/wine.env"
export WINEPREFIX=$PWD/build/$preset/demo-prefix
sorabell_wine_prefix
if [[ -z "${DISPLAY:-}" ]]; then
    sorabell_xvfb_start
fi
wineserver -p </dev/null >/dev/null 2>&1

"$WINELOADER" "build/$preset/bin/sorabell-demo.exe" "Z:${frames//\//\\}" </dev/null

for still in "$frames"/[0-9][0-9]-*.bmp; do
    convert "$still" "$out/$(basename "${still%.bmp}").png"
done
# Every frame on one canvas of the double size, so that the animation does not jump.
convert -delay 15 -loop 0 "$frames"/frame-*.bmp -background black -gravity northwest -extent 550x232 \
    "$out/sorabell.gif"

echo
echo "pictures of the player's and the preferences program's windows:"
ls -1 "$out"/*
printf 'demo wall time: %ss\n' "$((SECONDS - started))"
