#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on its seed corpus.
# FUZZ_BUDGET (seconds, default 120) is shared by all targets, at least FUZZ_MIN_SECONDS (default 10) each,
# so that the run stays as long as more targets come; FUZZ_SECONDS, when set, is each target's time instead.
# FUZZ_BUILD names a build folder already configured with clang and PAGEHOST_FUZZ=ON (the sanitizer build of
# scripts/test.sh when it is made with clang) whose fuzz programs are used instead of a build of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
ls fuzz/*Fuzz.cpp >/dev/null 2>&1 || exit 0
targets=()
for source in fuzz/*Fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
budget=${FUZZ_BUDGET:-120}
minimum=${FUZZ_MIN_SECONDS:-10}
seconds=${FUZZ_SECONDS:-$((budget / ${#targets[@]}))}
[ "$seconds" -ge "$minimum" ] || seconds=$minimum
build=${FUZZ_BUILD:-build/fuzz}
if [ -z "${FUZZ_BUILD:-}" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGEHOST_FUZZ=ON \
    -DPAGEHOST_SANITIZE=ON -DPAGEHOST_TESTS=OFF >/dev/null
fi
# Only the fuzz programs and what they link: the plug-in modules need not build with the fuzzer's flags.
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for name in "${targets[@]}"; do
  corpus=fuzz/corpus/$name
  work=$build/corpus-$name
  mkdir -p "$work"
  echo "Fuzzing $name for ${seconds}s"
  args=("$work")
  [ -d "$corpus" ] && args+=("$corpus")
  "$build/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "${args[@]}"
done
