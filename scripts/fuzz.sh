#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang into build-fuzz and runs each for the
# given number of seconds (default 30), starting from the seeds in fuzz/corpus/. New inputs
# go to build-fuzz/corpus/, crashes to build-fuzz/crashes/. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
scripts/install-deps.sh
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build-fuzz -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in configuration line_parser; do
    corpus="build-fuzz/corpus/$target"
    crashes="build-fuzz/crashes/$target"
    mkdir -p "$corpus" "$crashes"
    echo "== $target: $seconds s"
    "build-fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$corpus" "fuzz/corpus/$target"
done
