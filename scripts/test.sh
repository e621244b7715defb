#!/usr/bin/env bash
# Checks the include layering, runs every test in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short bounded run of each fuzz target (built with clang).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-layers.sh
jobs=$(nproc)
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAGEHOST_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"
scripts/fuzz.sh
