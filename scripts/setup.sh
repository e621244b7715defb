#!/usr/bin/env bash
# Installs what is needed, builds pagehost with its plug-ins (Release) and runs it on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGEHOST_TESTS=OFF -DPAGEHOST_BENCH=OFF >/dev/null
cmake --build build/release
scripts/run-example.sh build/release/bin/pagehost
