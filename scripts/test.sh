#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
# Usage: scripts/test.sh [--sanitize]   (--sanitize: AddressSanitizer + UndefinedBehaviorSanitizer)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    scripts/build.sh --sanitize "$build_dir"
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    build_dir=build
    scripts/build.sh "$build_dir"
fi
cd "$build_dir"
ctest --output-on-failure -j "$(nproc)" --timeout 300
