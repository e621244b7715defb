#!/usr/bin/env bash
# The main job on the bundled example: imported into a new document, saved and inspected.
set -euo pipefail
cd "$(dirname "$0")/.."
pagehost=${1:-build/release/bin/pagehost}
mkdir -p out
"$pagehost" plugins
"$pagehost" import examples/sample.txt -o out/example.pgd
"$pagehost" inspect out/example.pgd
