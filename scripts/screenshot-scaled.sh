#!/usr/bin/env bash
# Makes the README's pictures of one plot on an unscaled and on a 200 % screen: the same data
# in a 1024 x 640 (logical) virtual display (Xvfb), once at QT_SCALE_FACTOR=1 and once at 2,
# and a detail of the 200 % window beside the same detail of the 100 % picture enlarged (what
# a scaled screen showed when the plot was drawn at the logical size).
# Writes docs/tarvik-1x.png, docs/tarvik-2x.png and docs/tarvik-2x-detail.png.
# Usage: scripts/screenshot-scaled.sh [display, default :97]; needs a built build/ folder,
# Xvfb and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
display="${1:-:97}"
build="$(pwd)/build"
docs="$(pwd)/docs"
scratch="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
cd "$scratch"

# Forty seconds of Quenmar's angle, sine and cosine.
awk 'BEGIN { for (i = 0; i < 40; i++) printf "%g %g %g\n", i * 0.5, sin(i * 0.5), cos(i * 0.5) }' \
    > marquen.txt

# shot SCALE OUT: the root window of a display scaled SCALE times, with Tarvik on the data.
shot() {
    local scale="$1" out="$2"
    Xvfb "$display" -screen 0 "$((1024 * scale))x$((640 * scale))x24" -nolisten tcp &
    local server=$!
    sleep 1
    DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" \
        "$build/app/tarvik" -p marquen.txt 0 1 0 20 -1.1 1.1 2>/dev/null &
    local plot=$!
    sleep 4
    DISPLAY="$display" import -window root "$out"
    kill "$plot" "$server"
    wait "$plot" "$server" 2>/dev/null || true
}

shot 1 "$docs/tarvik-1x.png"
shot 2 "$docs/tarvik-2x.png"
convert "$docs/tarvik-1x.png" -crop 350x225+0+20 +repage -filter point -resize 200% \
    -bordercolor gray60 -border 1 before.png
convert "$docs/tarvik-2x.png" -crop 700x450+0+40 +repage -bordercolor gray60 -border 1 after.png
convert before.png after.png +append "$docs/tarvik-2x-detail.png"
echo "Wrote $docs/tarvik-1x.png, $docs/tarvik-2x.png and $docs/tarvik-2x-detail.png"
