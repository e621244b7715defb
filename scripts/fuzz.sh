#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
ls fuzz/*Fuzz.cpp >/dev/null 2>&1 || exit 0
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGEHOST_FUZZ=ON \
  -DPAGEHOST_SANITIZE=ON -DPAGEHOST_TESTS=OFF >/dev/null
# Only the fuzz programs and what they link: the plug-in modules need not build with the fuzzer's flags.
targets=()
for source in fuzz/*Fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"
for source in fuzz/*Fuzz.cpp; do
  name=$(basename "$source" .cpp)
  corpus=fuzz/corpus/$name
  work=build/fuzz/corpus-$name
  mkdir -p "$work"
  echo "Fuzzing $name for ${seconds}s"
  args=("$work")
  [ -d "$corpus" ] && args+=("$corpus")
  "build/fuzz/bin/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 "${args[@]}"
done
