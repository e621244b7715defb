#!/usr/bin/env bash
# The main job on the bundled example: imported into a new document, saved, inspected and rendered (all
# pages to a PDF, page 1 to a PNG).
set -euo pipefail
cd "$(dirname "$0")/.."
pagehost=${1:-build/release/bin/pagehost}
mkdir -p out
"$pagehost" plugins
"$pagehost" import examples/sample.txt -o out/example.pgd
"$pagehost" inspect out/example.pgd
"$pagehost" render out/example.pgd -o out/example.pdf
"$pagehost" render out/example.pgd -o out/example-page1.png --pages 1 --dpi 150
