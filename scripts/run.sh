#!/usr/bin/env bash
# The main job, a live demo: installs what is missing, builds, starts Quenmar (the test
# producer) in the scratch folder run/ and opens Tarvik on its file, where a sine curve grows
# by one point a second. Closing Tarvik stops Quenmar. Without a display it says so and
# renders one picture with --png instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
build="$(pwd)/build"
scratch="$(pwd)/run"
mkdir -p "$scratch"
cd "$scratch"

"$build/feeder/quenmar" &
quenmar=$!
trap 'kill "$quenmar" 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
    [ -s marquen.txt ] && break
    sleep 0.1
done

plot=(-p marquen.txt 0 1 0 20 -1.1 1.1)
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: rendering one picture of the plot instead, $scratch/marquen.png."
    sleep 5  # a few points first
    "$build/app/tarvik" --png marquen.png "${plot[@]}"
    echo "Wrote $scratch/marquen.png"
else
    echo "Quenmar writes $scratch/marquen.txt; Tarvik plots it. Close Tarvik to stop both."
    "$build/app/tarvik" "${plot[@]}"
fi
