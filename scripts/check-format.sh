#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what the committed .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
