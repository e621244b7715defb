#!/usr/bin/env bash
# The long run of the writer's round-trip property tests (tests/kesto/writer/RoundTripTest.cpp): random
# documents are exported, imported and exported again, and random tagged text (every tag, value limits,
# reverts, definitions between paragraphs) is imported, exported and imported again, the two documents
# compared whole. CI runs a few with a fixed seed; this runs as many as asked, with a new seed each round
# unless one is given, and prints the seeds so that a failure can be run again. With ROUNDTRIP_MINUTES it
# goes on round after round for that long and says how many documents it tried.
#
# Environment: ROUNDTRIP_CASES (per variant, default 20000), ROUNDTRIP_SEED (default: from the clock),
# ROUNDTRIP_BUILD (build folder, default build/release), ROUNDTRIP_JOBS (build jobs, default 2),
# ROUNDTRIP_MINUTES (keep running rounds for this long; default: one round).
set -uo pipefail
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

minutes=${ROUNDTRIP_MINUTES:-0}
deadline=$(($(date +%s) + minutes * 60))
log=$(mktemp)
trap 'rm -f "$log"' EXIT
rounds=0
status=0
while :; do
  echo "roundtrip.sh: $cases cases per variant, seed $seed (run again with ROUNDTRIP_SEED=$seed)"
  KESTO_ROUNDTRIP_CASES=$cases KESTO_ROUNDTRIP_SEED=$seed \
    "$build/bin/test_kesto_writer" --gtest_filter='*RoundTripTest*' --gtest_also_run_disabled_tests \
    --gtest_brief=1 | tee -a "$log" || status=1
  rounds=$((rounds + 1))
  seed=$((seed + cases))
  (($(date +%s) < deadline)) || break
done
echo "roundtrip.sh: $(awk '/^roundtrip: /{n+=$2} END{print n+0}' "$log") tagged-text documents tried" \
  "in $rounds round(s), as many random stories besides"
exit $status
