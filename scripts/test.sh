#!/usr/bin/env bash
# Checks the include layering, runs every test in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short bounded run of each fuzz target (built with clang). Ends with the time each phase took.
#
# PAGEHOST_ONE_BUILD=1 makes one clang build (build/asan-clang) serve both: everything is compiled with the
# fuzzer's coverage as well as the sanitizers, and the fuzz targets are linked from the same objects, which
# saves the separate fuzzing build of the host and Kesto.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
times=()
phase() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  times+=("$(printf '%-12s %5d s' "$name" $((SECONDS - start)))")
}
report() { printf 'test.sh phases:\n' && printf '  %s\n' "${times[@]}"; }
trap report EXIT

build=build/asan
configure=(cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAGEHOST_SANITIZE=ON)
if [ "${PAGEHOST_ONE_BUILD:-0}" = 1 ]; then
  build=build/asan-clang
  configure=(env CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug
    -DPAGEHOST_SANITIZE=ON -DPAGEHOST_FUZZ=ON)
  export FUZZ_BUILD=$build
fi
phase install-deps scripts/install-deps.sh
phase check-layers scripts/check-layers.sh
phase configure "${configure[@]}" >/dev/null
phase build cmake --build "$build" -j "$jobs"
phase ctest ctest --test-dir "$build" --output-on-failure -j "$jobs"
phase fuzz scripts/fuzz.sh
