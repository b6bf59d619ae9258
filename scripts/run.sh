#!/usr/bin/env bash
# The main job: installs what is missing, builds everything, and runs Quenmar, the test
# producer, in a scratch folder, where it appends a sine and cosine line to marquen.txt once a
# second. Stop it with Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh build
scratch="$(pwd)/run"
mkdir -p "$scratch"
echo
echo "Quenmar is writing $scratch/marquen.txt (one line a second, 204 lines a pass)."
echo "Watch it with: tail -f $scratch/marquen.txt    Stop Quenmar with Ctrl+C."
cd "$scratch"
exec ../build/feeder/quenmar
