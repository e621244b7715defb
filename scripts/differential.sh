#!/usr/bin/env bash
# Imports the same inputs with two builds of pagehost and compares, byte for byte, what each makes of them:
# the import's own output, `inspect --json` of the document, and its export as Kesto text and in the host's
# dialect. For a change that must not alter behaviour (a refactoring): build the commit before it in one
# folder, the change in another, and run this.
#
# Usage: scripts/differential.sh BEFORE_BUILD AFTER_BUILD [GENERATED]
# Inputs: examples/, tests/data/ and fuzz/corpus/, bench_input's kinds at small sizes (when BEFORE_BUILD has
# it), and GENERATED (default 300) random files that mix every tag the reader and writer tests use.
# Prints each differing input and the counts compared and imported; exits 1 when any differs.
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(realpath "$1")
after=$(realpath "$2")
generated=${3:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/inputs"

if [[ -x $before/bin/bench_input ]]; then
  for kind in prose tag-dense runs vertical-tabs form-feeds paragraph-attributes encoding-switches; do
    "$before/bin/bench_input" "$kind" 20000 >"$work/inputs/bench-$kind.txt"
  done
fi

# Random text built from the tags in the tests' tables (quotes unescaped), words, returns and style lines.
python3 - "$work/inputs" "$generated" tests/kesto/reader/*.cpp tests/kesto/writer/*.cpp <<'PYTHON'
import random, re, sys
out, count, sources = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
tags = set()
for path in sources:
    text = open(path, encoding="utf-8", errors="replace").read().replace('\\"', '"')
    tags.update(re.findall(r'<[^<>\\\n]{1,60}>', text))
# Translation tables name files the inputs do not have, and other characters than ASCII make the text
# invalid for some of the headers: either ends the import before it shows anything.
tags = {t for t in tags if t.isascii() and not t.startswith(("<&tt", "<gtest", "<std", "<cstd"))}
tags = sorted(tags)
words = ["harbour", "grey", "still", "gulls", "rain", "1.5", "quay", "x", "  "]
lines = ["\r", "\n", "\r\n", "\r@Heading:<*C><B>", "\r@Body:<*L><z11>", "\r<@Heading>", "\r<@Body>"]
for n in range(count):
    rng = random.Random(n)
    head = rng.choice(["", "<v7.00><e9>", "<v7.00><e0>", "<v6.50><e1>"])
    parts = [head]
    for _ in range(rng.randint(20, 400)):
        roll = rng.random()
        parts.append(rng.choice(tags) if roll < 0.45 else rng.choice(lines) if roll < 0.55 else rng.choice(words))
    with open(f"{out}/generated-{n:04}.txt", "w", encoding="latin-1", errors="replace") as f:
        f.write("".join(parts))
PYTHON

# Attributes by class number: the form every build prints (the older ones by default).
inspect_options() {
  if "$1/bin/pagehost" inspect --help | grep -q -- --attribute-ids; then echo --attribute-ids; fi
}
before_inspect=$(inspect_options "$before")
after_inspect=$(inspect_options "$after")

# One input through one build: exit codes and both streams of every step, in one file. The input is also
# read as the host's dialect, from a file and through a pipe.
run() {
  local build=$1 input=$2 dir=$3 inspect=$4
  mkdir -p "$dir" && cd "$dir"
  export XDG_CONFIG_HOME=$dir/config
  set +e  # a failing step is a result to compare
  {
    "$build/bin/pagehost" import "$input" --format host -o h.pgd 2>&1; echo "import host: $?"
    cat "$input" | "$build/bin/pagehost" import --format host - -o p.pgd 2>&1; echo "import host pipe: $?"
    for doc in h.pgd p.pgd; do
      [[ -f $doc ]] && "$build/bin/pagehost" inspect --json $inspect $doc >$doc.json 2>&1
    done
    [[ -f h.pgd ]] && cat h.pgd.json; cmp -s h.pgd.json p.pgd.json; echo "pipe as file: $?"
    "$build/bin/pagehost" import "$input" -o d.pgd 2>&1; echo "import: $?"
    if [[ -f d.pgd ]]; then
      "$build/bin/pagehost" inspect --json $inspect d.pgd 2>&1; echo "inspect: $?"
      "$build/bin/pagehost" export d.pgd 2>&1; echo "export: $?"
      "$build/bin/pagehost" export d.pgd --format host 2>&1; echo "export host: $?"
    fi
  } >../result
  set -e
  cd - >/dev/null
}

compared=0 differing=0 imported=0
for input in examples/* tests/data/* fuzz/corpus/*/* "$work"/inputs/*; do
  [[ -f $input ]] || continue
  input=$(realpath "$input")
  rm -rf "$work/before" "$work/after"
  run "$before" "$input" "$work/before/run" "$before_inspect"
  run "$after" "$input" "$work/after/run" "$after_inspect"
  compared=$((compared + 1))
  grep -q '^import: 0$' "$work/before/result" && imported=$((imported + 1))
  if ! cmp -s "$work/before/result" "$work/after/result"; then
    differing=$((differing + 1))
    echo "differs: $input"
  fi
done
echo "differential.sh: $compared inputs compared ($imported imported), $differing differ"
[[ $differing == 0 ]]
