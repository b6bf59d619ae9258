#!/usr/bin/env bash
# Makes the README's picture of the live window: Quenmar writes for a while, Tarvik plots its
# file in a virtual display (Xvfb), and the screen is saved as docs/tarvik-live.png.
# Usage: scripts/screenshot.sh [seconds of data, default 40]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-40}"

need=()
for p in xvfb x11-apps imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
scripts/install-deps.sh
scripts/build.sh build
build="$(pwd)/build"
out="$(pwd)/docs/tarvik-live.png"
mkdir -p docs
scratch="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT

display=:97
Xvfb "$display" -screen 0 1024x640x24 -nolisten tcp &
sleep 1
cd "$scratch"
"$build/feeder/quenmar" &
sleep "$seconds"
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/app/tarvik" -p marquen.txt 0 1 0 20 -1.1 1.1 2>/dev/null &
sleep 4
DISPLAY="$display" xwd -root -silent | convert xwd:- -trim "$out"
echo "Wrote $out"
