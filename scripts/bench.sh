#!/usr/bin/env bash
# The speed table of pagehost: builds Release if needed, makes the inputs with bench_input (once, in
# build/bench-inputs), times whole `pagehost import` runs and the save, open and undo benchmarks, and prints
# one Markdown table with the targets beside the figures.
#
# Environment: BENCH_BUILD (build folder, default build/release), BENCH_TIMEOUT (seconds per run, default
# 120), BENCH_RUNS (runs per import, the fastest counts; default 3, a run over 10 s is not repeated),
# BENCH_JOBS (build jobs, default ninja's).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BENCH_BUILD:-build/release}
inputs=build/bench-inputs

targets=(pagehost bench_input bench_ImportBench)
[[ -f bench/ExportBench.cpp ]] && targets+=(bench_ExportBench)
[[ -f bench/DocumentFileBench.cpp ]] && targets+=(bench_DocumentFileBench)
[[ -f bench/MacroBench.cpp ]] && targets+=(bench_MacroBench)
[[ -f bench/ComposeBench.cpp ]] && targets+=(bench_ComposeBench)
[[ -f bench/ThreadBench.cpp ]] && targets+=(bench_ThreadBench)

# Reuse the folder as configured (setup.sh's or a developer's, so the compile cache hits); configure it like
# setup.sh only when it is not there, and switch the benchmarks on when they are off.
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAGEHOST_TESTS=OFF -DPAGEHOST_BENCH=ON >/dev/null
elif ! grep -q '^PAGEHOST_BENCH:BOOL=ON' "$build/CMakeCache.txt"; then
  cmake -S . -B "$build" -DPAGEHOST_BENCH=ON >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt" ||
  echo "bench.sh: warning: $build is not a Release build; its figures are not comparable" >&2
if ! cmake --build "$build" ${BENCH_JOBS:+-j "$BENCH_JOBS"} --target "${targets[@]}" >"$build/bench-build.log" 2>&1; then
  for target in "${targets[@]}"; do
    [[ -x $build/bin/$target ]] || { cat "$build/bench-build.log" >&2; exit 1; }
  done
  echo "bench.sh: warning: the build failed (see $build/bench-build.log); measuring the programs built before" >&2
fi

mkdir -p "$inputs"
exec python3 - "$build" "$inputs" "${BENCH_TIMEOUT:-120}" "${BENCH_RUNS:-3}" <<'PYTHON'
import json, os, re, signal, subprocess, sys, tempfile, threading, time

build, inputs, timeout, runs = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])
bin_dir = os.path.join(build, "bin")
MB = 1 << 20

# Imports: row, bench_input kind and size, what the input is, and the targets (MB/s at least, peak resident
# memory / input below, document / input at most; None where the row has no such target).
IMPORTS = [
    ("prose import", "prose", "10M", "prose, a style line per paragraph of ~400 characters, "
     "a bold or italic span every ~300", 60, 4, 2.5),
    ("tag-dense import", "tag-dense", "5M", "a character tag every ~25 characters, each switched back", 15, 5, 3),
    ("many runs in one paragraph", "runs", "80000", "`<B>a<B>b` x 80,000, one return", 15, None, None),
    ("vertical tabs", "vertical-tabs", "80000", "80,000 x 0x0B", 15, None, None),
    ("form feeds", "form-feeds", "20000", "20,000 x 0x0C", 15, None, None),
    # The same breaks by the million: the two rows above take about as long as importing one line, which is
    # the start of any run; these show what each break costs.
    ("vertical tabs, 1 MB", "vertical-tabs", "1000000", "1,000,000 x 0x0B", 15, None, None),
    ("form feeds, 1 MB", "form-feeds", "1000000", "1,000,000 x 0x0C", 15, None, None),
    ("paragraph attributes", "paragraph-attributes", "200000", "`<*C>a` + return x 200,000", 15, None, None),
    ("encoding switches", "encoding-switches", "32000", "`<e1><e9>` x 32,000", 15, None, None),
    # Each of these at two sizes: the same MB/s at both says the cost grows with the input, no faster.
    ("translation table file", "translation-file", "100000", "`<&tt\"…\">` reading a table of 100,000 lines "
     "`k<n>` tab `v<n>`, each ended by CR alone", 1, None, None),
    ("translation table file, 4x", "translation-file", "400000", "the same with 400,000 lines", 1, None, None),
    ("inline translation entries", "translation-entries", "20000", "`<&tte(k<n>;,v<n>)>` x 20,000", 0.5,
     None, None),
    ("inline translation entries, 4x", "translation-entries", "80000", "the same x 80,000", 0.5, None, None),
    ("style lines", "style-lines", "8000", "`@S<n>:x`: 8,000 new paragraph styles", 0.15, None, None),
    ("style lines, 4x", "style-lines", "32000", "the same with 32,000 styles", 0.15, None, None),
    ("host-dialect styles", "host-styles", "4000", "`<&it\"\"\"<ParaStyle:S<n>>x\"\"\">`: 4,000 new "
     "paragraph styles", 0.04, None, None),
    ("host-dialect styles, 4x", "host-styles", "16000", "the same with 16,000 styles", 0.04, None, None),
]
# Inputs that read another one beside them (the kind of that one, made at the same size and counted in the
# input's size).
COMPANIONS = {"translation-file": "translation-table"}
# inspect --json of a document made by `pagehost new` and `layout insert-pages`: row, pages, pages per spread,
# and the target (MB/s of JSON written). Each at two sizes, as above.
INSPECTS = [
    ("inspect --json, a page per spread", 10000, 1, 2),
    ("inspect --json, a page per spread, 4x", 40000, 1, 2),
    ("inspect --json, 10 pages per spread", 10000, 10, 2),
    ("inspect --json, 10 pages per spread, 4x", 40000, 10, 2),
]
# Exports: row, bench_input kind and size of the document's source, what it is, and the target (MB/s of text
# written, by bench_ExportBench's in-process export; the whole `pagehost export` run, which also opens the
# document, is shown beside it).
EXPORTS = [
    ("prose export", "prose", "10M", "the prose import's document", 100, "0"),
    ("tag-dense export", "tag-dense", "5M", "the tag-dense import's document", 30, "1"),
]
SAVE_OPEN_TARGET = 300
# What bench_DocumentFileBench's argument puts in the document it saves and opens.
DOCUMENT_ARGUMENTS = {"0": "imported prose", "1": "imported tag-dense text"}
# Only runs shorter than this are repeated: a longer one is far enough from its target to need no second.
REPEAT_BELOW_SECONDS = 10


class Run:
    """One finished (or killed) child: wall seconds, peak resident bytes, exit status, stdout and stderr."""

    def __init__(self, cmd):
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            start = time.perf_counter()
            pid = subprocess.Popen(cmd, stdin=subprocess.DEVNULL, stdout=out, stderr=err).pid
            # Wait without reaping, so that the timer can never signal a recycled process id.
            timer = threading.Timer(timeout, os.kill, (pid, signal.SIGKILL))
            timer.start()
            os.waitid(os.P_PID, pid, os.WEXITED | os.WNOWAIT)
            self.wall = time.perf_counter() - start
            timer.cancel()
            timer.join()
            _, status, usage = os.wait4(pid, 0)
            self.timed_out = os.WIFSIGNALED(status) and self.wall >= timeout
            self.status = os.waitstatus_to_exitcode(status)
            self.peak = usage.ru_maxrss * 1024
            out.seek(0)
            err.seek(0)
            self.stdout, self.stderr = out.read().decode(errors="replace"), err.read().decode(errors="replace")


def make_input(kind, size):
    path = os.path.join(inputs, f"{kind}-{size}.txt")
    generator = os.path.join(bin_dir, "bench_input")
    if not os.path.exists(path) or os.path.getmtime(path) < os.path.getmtime(generator):
        with open(path + ".part", "wb") as out:
            subprocess.run([generator, kind, size], stdout=out, check=True)
        os.replace(path + ".part", path)
    return path


def fmt(value):
    return "" if value is None else f"{value:.1f}" if value >= 1 else f"{value:.2g}"


def size_text(size):
    return f"{size / MB:.1f} MB" if size >= MB else f"{size / 1024:.0f} KB"


def seconds(run):
    return f"> {timeout:g} s" if run.timed_out else f"{run.wall:.2f} s"


def measure_import(name, kind, size, description, speed_target, memory_target, document_target, scratch):
    source = make_input(kind, size)
    input_bytes = os.path.getsize(source)
    if kind in COMPANIONS:
        input_bytes += os.path.getsize(make_input(COMPANIONS[kind], size))
    output = os.path.join(scratch, "out.pgd")
    best = None
    for _ in range(runs):
        run = Run([os.path.join(bin_dir, "pagehost"), "import", source, "-o", output])
        run.document = os.path.getsize(output) if os.path.exists(output) else None
        if os.path.exists(output):
            os.remove(output)
        best = run if best is None or run.wall < best.wall else best
        if run.wall > REPEAT_BELOW_SECONDS:
            break
    speed = input_bytes / MB / best.wall
    memory = best.peak / input_bytes
    document = best.document / input_bytes if best.document else None
    reports = re.search(r"encountered (\d+) error", best.stderr)
    notes = reports.group(1) if reports else "0"
    if best.status != 0 and not best.timed_out:
        last_line = (best.stderr.strip().splitlines() or [""])[-1]
        notes += f", exit {best.status} {last_line[:60]}"
    met = not best.timed_out and speed >= speed_target
    met &= memory_target is None or memory < memory_target
    met &= document_target is None or (document is not None and document <= document_target)
    with_memory = memory_target is not None
    return [name, f"{size_text(input_bytes)}: {description}", seconds(best),
            ("< " if best.timed_out else "") + fmt(speed), f">= {speed_target}",
            fmt(memory) + "x" if with_memory else "", f"< {memory_target}x" if with_memory else "",
            (fmt(document) + "x" if document else "none") if with_memory else "",
            f"<= {document_target}x" if with_memory else "", notes, "yes" if met else "no"]


def measure_export(name, kind, size, description, speed_target, argument, scratch):
    """The export of a document made by importing the input: the in-process figure from bench_ExportBench
    (compared with the target) and the whole `pagehost export` run (time and MB/s, for the record)."""
    document = os.path.join(scratch, f"export-{kind}.pgd")
    imported = Run([os.path.join(bin_dir, "pagehost"), "import", make_input(kind, size), "-o", document])
    if imported.status != 0 or not os.path.exists(document):
        return [name, description, "", "", f">= {speed_target}", "", "", "", "", "the import failed", "no"]
    output = os.path.join(scratch, "export.txt")
    best = None
    for _ in range(runs):
        run = Run([os.path.join(bin_dir, "pagehost"), "export", document, "-o", output])
        run.written = os.path.getsize(output) if os.path.exists(output) else 0
        best = run if best is None or run.wall < best.wall else best
        if run.wall > REPEAT_BELOW_SECONDS:
            break
    whole = best.written / MB / best.wall if best.written else 0
    notes = f"whole run {fmt(whole)} MB/s (document open included)"
    if best.status != 0:
        notes += f", exit {best.status}"
    found, problem = run_benchmark("bench_ExportBench", f"^BM_ExportStory/{argument}/")
    entry = ((found or {}).get("BM_ExportStory") or [None])[0]
    speed = entry["bytes_per_second"] / MB if entry and "bytes_per_second" in entry else None
    met = speed is not None and speed >= speed_target and best.status == 0
    return [name, f"{size_text(best.written)} written from {description} (bench_ExportBench, CPU time)", seconds(best),
            fmt(speed) if speed is not None else problem or "n/a", f">= {speed_target}", "", "", "", "", notes,
            "yes" if met else "no"]


def make_pages(document, pages, per_spread):
    """A new document of `pages` pages, `per_spread` to a spread; false when pagehost refused."""
    pagehost = os.path.join(bin_dir, "pagehost")
    made = Run([pagehost, "new", "-o", document, "--pages", "1", "--pages-per-spread", str(per_spread)])
    # An insertion takes up to 10,000 pages; --redistribute deals them out to spreads as the setup says.
    for done in range(1, pages, 9999):
        if made.status != 0:
            break
        made = Run([pagehost, "layout", document, "-o", document, "insert-pages", "--spread", "1", "--count",
                    str(min(9999, pages - done)), "--redistribute"])
    return made.status == 0 and os.path.exists(document)


def measure_inspect(name, pages, per_spread, speed_target, scratch):
    document = os.path.join(scratch, f"inspect-{pages}-{per_spread}.pgd")
    description = f"{pages:,} pages, {per_spread} per spread"
    if not make_pages(document, pages, per_spread):
        return [name, description, "", "", f">= {speed_target}", "", "", "", "", "making the document failed",
                "no"]
    best = None
    for _ in range(runs):
        run = Run([os.path.join(bin_dir, "pagehost"), "inspect", "--json", document])
        best = run if best is None or run.wall < best.wall else best
        if run.wall > REPEAT_BELOW_SECONDS:
            break
    written = len(best.stdout.encode())
    speed = written / MB / best.wall
    notes = f"exit {best.status}" if best.status != 0 and not best.timed_out else ""
    met = not best.timed_out and best.status == 0 and speed >= speed_target
    return [name, f"{description}: {size_text(written)} of JSON", seconds(best),
            ("< " if best.timed_out else "") + fmt(speed), f">= {speed_target}", "", "", "", "", notes,
            "yes" if met else "no"]


def run_benchmark(program, pattern):
    """The iteration entries of a Google Benchmark program's JSON output, listed by name without arguments."""
    path = os.path.join(bin_dir, program)
    if not os.path.exists(path):
        return None, "not built"
    run = Run([path, f"--benchmark_filter={pattern}", "--benchmark_format=json"])
    if run.timed_out:
        return None, f"> {timeout:g} s"
    try:
        entries = json.loads(run.stdout)["benchmarks"]
    except (ValueError, KeyError):
        return None, f"exit {run.status}, no JSON output"
    found = {}
    for entry in entries:
        if entry.get("run_type", "iteration") == "iteration" and not entry.get("error_occurred"):
            found.setdefault(entry["name"].split("/")[0], []).append(entry)
    return found, ""


def benchmark_rows():
    rows = []
    found, problem = run_benchmark("bench_DocumentFileBench", "^BM_(Save|Open)Document")
    for name, case in (("save", "BM_SaveDocument"), ("open", "BM_OpenDocument")):
        for entry in (found or {}).get(case) or [None]:
            speed = fmt(entry["bytes_per_second"] / MB) if entry and "bytes_per_second" in entry else "n/a"
            met = "" if speed == "n/a" else "yes" if float(speed) >= SAVE_OPEN_TARGET else "no"
            argument = entry["name"].split("/")[1] if entry and "/" in entry["name"] else ""
            content = DOCUMENT_ARGUMENTS.get(argument, f"argument {argument}" if argument else "a document")
            size = f"{entry['file_MB']:.1f} MB" if entry and "file_MB" in entry else "~20 MB"
            rows.append([name, f"{size} file of {content} (bench_DocumentFileBench)", "", speed,
                         f">= {SAVE_OPEN_TARGET}", "", "", "", "", problem or ("" if entry else "no " + case), met])
    found, problem = run_benchmark("bench_ImportBench", "^BM_UndoRedoImport")
    entry = ((found or {}).get("BM_UndoRedoImport") or [None])[0]
    for name, counter in (("undo of the import", "undo_ms"), ("redo of the import", "redo_ms")):
        figure = f"{entry[counter]:.0f} ms" if entry and counter in entry else "n/a"
        rows.append([name, "the 10 MB prose import, one undo step (bench_ImportBench)", figure, "", "", "", "",
                     "", "", problem or ("" if entry else "skipped or missing"), ""])
    found, problem = run_benchmark("bench_MacroBench", "^BM_ImportBoldWords")
    times = {e["name"].split("/")[1]: e["real_time"] for e in (found or {}).get("BM_ImportBoldWords", [])}
    ratio = times["1"] / times["0"] if "0" in times and "1" in times else None
    rows.append(["macro on every line", "10 MB of lines, a bold first word through a macro vs written out "
                 "(bench_MacroBench)", f"{times['1']:.0f} ms" if ratio else "", "", "", "", "", "", "",
                 f"{ratio:.2f}x the written-out time, target <= 2x" if ratio else problem or "missing",
                 ("yes" if ratio <= 2 else "no") if ratio else ""])
    rows += compose_rows()
    rows += thread_rows()
    return rows


def compose_rows():
    found, problem = run_benchmark("bench_ComposeBench", "^BM_(ComposeStory|RecomposeAfterEdit)")
    whole = ((found or {}).get("BM_ComposeStory") or [None])[0]
    edit = ((found or {}).get("BM_RecomposeAfterEdit") or [None])[0]
    # The program counts decimal megabytes.
    speed = whole["MB/s"] * 1e6 / MB if whole and "MB/s" in whole else None
    ms = edit["real_time"] if edit else None
    return [
        ["compose", "the 10 MB prose story shaped through linked frames, about 2,500 pages (bench_ComposeBench)",
         f"{whole['real_time']:.0f} ms" if whole else "", fmt(speed) if speed else "n/a", ">= 20", "", "", "", "",
         problem or ("" if whole else "missing"), ("yes" if speed >= 20 else "no") if speed else ""],
        ["recompose after an edit", "one character typed and deleted on the first page (bench_ComposeBench)",
         f"{ms:.2f} ms" if ms is not None else "n/a", "", "< 1 ms", "", "", "", "",
         problem or ("" if edit else "missing"), ("yes" if ms < 1 else "no") if ms is not None else ""],
    ]


def thread_rows():
    found, problem = run_benchmark("bench_ThreadBench",
                                   "^BM_(ThreadFramesOnEveryPage|RethreadAfterMasterOn500Pages|AddPagesFor10MBOfProse/10485760)")
    entry = ((found or {}).get("BM_ThreadFramesOnEveryPage") or [None])[0]
    ms = entry["real_time"] if entry else None
    rows = [["thread frames on every page", "1,000 pages with one thread frame each (bench_ThreadBench)",
             f"{ms:.1f} ms" if ms is not None else "n/a", "", "< 50 ms", "", "", "", "",
             problem or ("" if entry else "missing"), ("yes" if ms < 50 else "no") if ms is not None else ""]]
    rethread = next(iter((found or {}).get("BM_RethreadAfterMasterOn500Pages") or []), None)
    ms = rethread["real_time"] if rethread else None
    rows.append(["re-threading after a master change", f"another master applied to {(rethread or {}).get('pages', 0):.0f} "
                 "flowed pages, with the re-threading (bench_ThreadBench)", f"{ms:.0f} ms" if ms is not None else "n/a",
                 "", "< 1 s", "", "", "", "", problem or ("" if rethread else "missing"),
                 ("yes" if ms < 1000 else "no") if ms is not None else ""])
    adding = next(iter((found or {}).get("BM_AddPagesFor10MBOfProse") or []), None)
    first, last = (adding or {}).get("first_100_ms_per_page"), (adding or {}).get("last_100_ms_per_page")
    ratio = last / first if first and last else None
    rows.append(["page adding per page", f"10 MB into one page, {(adding or {}).get('pages', 0):.0f} pages: the "
                 "first and the last 100 added pages (bench_ThreadBench)",
                 f"{first:.2f} / {last:.2f} ms" if ratio else "n/a", "", "last <= 1.5x first", "", "", "", "",
                 f"{ratio:.1f}x" if ratio else problem or "missing", ("yes" if ratio <= 1.5 else "no") if ratio else ""])
    return rows


def auto_flow_row(scratch):
    """10 MB of prose imported into a one-page auto-flow document: the whole import, pages added."""
    doc, out = os.path.join(scratch, "flow.pgd"), os.path.join(scratch, "flowed.pgd")
    made = Run([os.path.join(bin_dir, "pagehost"), "new", "-o", doc, "--auto-flow", "--add-pages-mode", "page"])
    run = Run([os.path.join(bin_dir, "pagehost"), "import", make_input("prose", "10M"), "--into", doc, "-o", out])
    ok = made.status == 0 and run.status == 0 and not run.timed_out
    pages = ""
    if ok:
        summary = Run([os.path.join(bin_dir, "pagehost"), "inspect", out]).stdout
        found = re.search(r"story \d+ \((\d+) frames\)", summary)
        pages = found.group(1) + " pages" if found else ""
    return ["import with page adding", "10 MB of prose into a one-page `new --auto-flow` document "
            "(Letter, one column)", f"{run.wall:.2f} s" if ok else "failed", "", "< 5 s", "", "", "", "",
            pages, ("yes" if run.wall < 5 else "no") if ok else "no"]


def make_composed_pages(document, pages, scratch):
    """A document of `pages` letter pages, each with a text frame linked to the one before, filled with
    imported prose (more than fits); false when pagehost refused."""
    pagehost = os.path.join(bin_dir, "pagehost")
    empty = os.path.join(scratch, "render-empty.pgd")
    if Run([pagehost, "new", "-o", empty, "--pages", str(pages)]).status != 0:
        return False
    first = re.search(r'"uid":(\d+),"kind":"textFrame"', Run([pagehost, "inspect", "--json", empty]).stdout)
    if not first:
        return False
    ops = ["label", first.group(1), "p1"]
    for page in range(2, pages + 1):
        ops += ["--", "frame", "--page", str(page), "36,36,576,756", "--label", f"p{page}",
                "--", "link", f"label:p{page - 1}", f"label:p{page}"]
    if Run([pagehost, "layout", empty, "-o", empty, "--no-idle"] + ops).status != 0:
        return False
    return Run([pagehost, "import", make_input("prose", "600K"), "--into", empty, "-o", document]).status == 0


def render_rows(scratch):
    """Whole `pagehost render` runs over 100 composed pages: to PDF, and to PNG at 150 dpi per page."""
    pages = 100
    document = os.path.join(scratch, "render.pgd")
    made = make_composed_pages(document, pages, scratch)
    rows = []
    for name, output, extra, target, per_page in (
            ("render to PDF", "render.pdf", [], 2.0, False),
            ("render to PNG", "render.png", ["--dpi", "150"], 0.060, True)):
        best = None
        for _ in range(runs if made else 0):
            run = Run([os.path.join(bin_dir, "pagehost"), "render", document, "-o", os.path.join(scratch, output)]
                      + extra)
            best = run if best is None or run.wall < best.wall else best
        ok = best is not None and best.status == 0 and not best.timed_out
        figure = best.wall / pages if ok and per_page else best.wall if ok else None
        shown = "" if figure is None else f"{figure * 1000:.0f} ms a page" if per_page else f"{figure:.2f} s"
        notes = "making the document failed" if not made else "" if ok else f"exit {best.status}"
        rows.append([name, f"{pages} letter pages of composed prose, the whole run (open, compose, draw, write)"
                     + (" at 150 dpi" if per_page else ""), shown, "",
                     f"< {target * 1000:.0f} ms a page" if per_page else f"< {target:g} s", "", "", "", "", notes,
                     ("yes" if figure < target else "no") if figure is not None else ""])
    return rows


def png_bytes(width, height):
    """An uncompressed RGB PNG of about width x height x 3 bytes, so that each transfer has its size."""
    import struct, zlib
    row = bytes(x % 256 for x in range(width * 3))
    raw = b"".join(b"\x00" + row for _ in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 0)) +
            chunk(b"IEND", b""))


def picture_fetch_rows(scratch):
    """200 pictures of ~50 KB from the local test server, each answer 20 ms late: one after another they
    would take 4 s of waiting alone."""
    count, delay_ms, target = 200, 20, 1.5
    root = os.path.join(scratch, "served")
    os.makedirs(root, exist_ok=True)
    for i in range(count):
        with open(os.path.join(root, f"p{i}.png"), "wb") as out:
            out.write(png_bytes(128, 130))
    server = subprocess.Popen([sys.executable, "tests/support/http_test_server.py", "--delay", str(delay_ms),
                               "--root", root], stdout=subprocess.PIPE, text=True)
    try:
        port = int(server.stdout.readline())
        source = os.path.join(scratch, "pictures.txt")
        with open(source, "w") as out:
            for i in range(count):
                out.write(f"Picture {i} <&pbu(0,0,144,144,,,,,,,,,,,,,,,,"
                          f"\"http://127.0.0.1:{port}/file/p{i}.png\")>\r")
        run = Run([os.path.join(bin_dir, "pagehost"), "import", source, "-o", os.path.join(scratch, "p.pgd"),
                   "--downloads", os.path.join(scratch, "downloads")])
    finally:
        server.kill()
        server.wait()
    fetched = len(os.listdir(os.path.join(scratch, "downloads"))) if run.status == 0 else 0
    notes = f"{fetched} fetched" + ("" if run.status == 0 else f", exit {run.status}")
    return [["200 pictures by URL", f"{count} x 50 KB from a local server answering {delay_ms} ms late "
             f"(one after another: > {count * delay_ms / 1000:g} s)", seconds(run), "", f"< {target} s", "", "",
             "", "", notes, "yes" if run.status == 0 and run.wall < target else "no"]]


def describe_tree():
    head = subprocess.run(["git", "rev-parse", "--short", "HEAD"], capture_output=True, text=True).stdout.strip()
    dirty = subprocess.run(["git", "status", "--porcelain", "--untracked-files=no"], capture_output=True,
                           text=True).stdout.strip()
    return (head or "unknown") + (" with local changes" if dirty else "")


header = ["row", "input", "time", "MB/s", "target", "peak memory / input", "target", "document / input",
          "target", "reports", "met"]
rows = []
with tempfile.TemporaryDirectory(dir=inputs) as scratch:
    # Imports and exports run with a fresh user's preferences, whatever those of the user running this are.
    os.environ["XDG_CONFIG_HOME"] = os.path.join(scratch, "config")
    for spec in IMPORTS:
        rows.append(measure_import(*spec, scratch))
        print(f"bench.sh: {rows[-1][0]}: {rows[-1][2]}", file=sys.stderr)
    for spec in EXPORTS:
        rows.append(measure_export(*spec, scratch))
        print(f"bench.sh: {rows[-1][0]}: {rows[-1][3]} MB/s", file=sys.stderr)
    for spec in INSPECTS:
        rows.append(measure_inspect(*spec, scratch))
        print(f"bench.sh: {rows[-1][0]}: {rows[-1][2]}", file=sys.stderr)
    rows.append(auto_flow_row(scratch))
    print(f"bench.sh: {rows[-1][0]}: {rows[-1][2]}", file=sys.stderr)
    for row in render_rows(scratch):
        rows.append(row)
        print(f"bench.sh: {row[0]}: {row[2]}", file=sys.stderr)
    rows += picture_fetch_rows(scratch)
rows += benchmark_rows()

print(f"pagehost bench: {time.strftime('%Y-%m-%d %H:%M')}, commit {describe_tree()}, build {build}, "
      f"{os.cpu_count()} cores; MB = 2^20 bytes; memory is the peak resident size of the whole run; "
      f"reports: Kesto error reports left in the text")
print()
print("| " + " | ".join(header) + " |")
print("|" + "|".join("---" for _ in header) + "|")
for row in rows:
    print("| " + " | ".join(row) + " |")
PYTHON
