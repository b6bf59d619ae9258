#!/usr/bin/env bash
# Configures and builds Tarvik. Usage: scripts/build.sh [--sanitize] [build folder]
# Warnings become errors when CI is set.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=OFF
if [ "${1:-}" = "--sanitize" ]; then
    sanitize=ON
    shift
fi
default_dir=build
[ "$sanitize" = ON ] && default_dir=build-asan
build_dir="${1:-$default_dir}"

werror=OFF
[ -n "${CI:-}" ] && werror=ON
benchmarks=ON
[ "$sanitize" = ON ] && benchmarks=OFF

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
if [ -f "$build_dir/CMakeCache.txt" ]; then
    generator=()  # keep the generator the folder was made with
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B "$build_dir" "${generator[@]}" "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVIK_WERROR="$werror" \
    -DTARVIK_SANITIZE="$sanitize" \
    -DTARVIK_BENCHMARKS="$benchmarks"
cmake --build "$build_dir" -j "$(nproc)"
