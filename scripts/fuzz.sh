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
# The readers alone may take their time; the whole-path targets draw a plot per input, and an
# input that takes longer than 2 s or more than 1 GB is a finding.
declare -A limits=(
    [configuration]="-timeout=10 -rss_limit_mb=2048"
    [line_parser]="-timeout=10 -rss_limit_mb=2048"
    [plot_configuration]="-timeout=2 -rss_limit_mb=1024"
    [plot_data]="-timeout=2 -rss_limit_mb=1024"
)
for target in configuration line_parser plot_configuration plot_data; do
    corpus="build-fuzz/corpus/$target"
    crashes="build-fuzz/crashes/$target"
    mkdir -p "$corpus" "$crashes"
    echo "== $target: $seconds s"
    # shellcheck disable=SC2086  # the limits are separate options
    "build-fuzz/${target}_fuzz" -max_total_time="$seconds" ${limits[$target]} \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$corpus" "fuzz/corpus/$target"
done
