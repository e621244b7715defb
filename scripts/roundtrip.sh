#!/usr/bin/env bash
# The long run of the writer's round-trip property tests: many random documents are exported, imported
# and exported again (see tests/kesto/writer/RoundTripTest.cpp). CI runs a few with a fixed seed; this runs
# as many as asked, with a new seed each time unless one is given, and prints the seed so that a failure
# can be run again.
#
# Environment: ROUNDTRIP_CASES (per variant, default 20000), ROUNDTRIP_SEED (default: from the clock),
# ROUNDTRIP_BUILD (build folder, default build/release), ROUNDTRIP_JOBS (build jobs, default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ROUNDTRIP_BUILD:-build/release}
cases=${ROUNDTRIP_CASES:-20000}
seed=${ROUNDTRIP_SEED:-$(date +%s)}

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGEHOST_TESTS=ON -DPAGEHOST_BENCH=ON >/dev/null
elif ! grep -q '^PAGEHOST_TESTS:BOOL=ON' "$build/CMakeCache.txt"; then
  cmake -S . -B "$build" -DPAGEHOST_TESTS=ON >/dev/null
fi
cmake --build "$build" -j "${ROUNDTRIP_JOBS:-2}" --target test_kesto_writer >"$build/roundtrip-build.log" 2>&1 ||
  { cat "$build/roundtrip-build.log" >&2; exit 1; }

echo "roundtrip.sh: $cases cases per variant, seed $seed (run again with ROUNDTRIP_SEED=$seed)"
KESTO_ROUNDTRIP_CASES=$cases KESTO_ROUNDTRIP_SEED=$seed \
  "$build/bin/test_kesto_writer" --gtest_filter='*RoundTripTest*' --gtest_brief=1
