// pagehost render: pages or spreads of a saved document drawn to PDF, PNG or SVG.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/TerminalProgress.h"
#include "host/app/DocumentList.h"
#include "host/layout/LayoutUtils.h"
#include "host/render/DocumentRenderer.h"
#include "host/ui/RangeProgressBar.h"

namespace pagehost {
namespace {

// Page positions, first and last of each range, 1-based.
using PageRanges = std::vector<std::pair<int32_t, int32_t>>;

struct RenderArgs {
  std::string document;
  std::string output;
  PageRanges pages;  // checked against the document once it is open
  RenderRequest request;
};

void PrintRenderHelp() {
  std::printf(
      "Usage: pagehost render DOC -o OUT.pdf|OUT.png|OUT.svg [--pages LIST] [--dpi N] [--guides]\n"
      "                       [--spread]\n"
      "\n"
      "Draws the pages of DOC as composed: page items with their fills, strokes and corners, placed\n"
      "pictures (PNG files; other formats as a crossed box), and the text in the installed faces, each line\n"
      "where composition put it. A frame whose story holds more text than its frames shows a red mark.\n"
      "\n"
      "The extension of OUT chooses the format. A PDF holds every page and embeds the faces, so that its\n"
      "text can be selected and searched. PNG and SVG write one file per page: OUT itself for a single\n"
      "page, else OUT-N.png (.svg), N the position in the document of the page (of a spread's first page).\n"
      "No partial file is left: a PDF is written when every page was drawn, and a failure part-way through\n"
      "PNG or SVG pages removes the files the run had written.\n"
      "\n"
      "Options:\n"
      "  -o, --output OUT   the file to write (required)\n"
      "  --pages LIST       pages by position in the document, as 1-3,7 (default: all)\n"
      "  --dpi N            PNG resolution in pixels per inch, %g to %g (default 72); a page larger than\n"
      "                     %d pixels a side or %lld in all is refused\n"
      "  --guides           also draw margins, columns, frame edges and baselines, as a layout view does\n"
      "  --spread           one output page per spread instead of per page\n"
      "\n"
      "Exit status: 0 on success, 1 on failure (with the reason on standard error), 2 for a command-line\n"
      "error.\n",
      kMinRenderDpi, kMaxRenderDpi, kMaxRenderSide, static_cast<long long>(kMaxRenderPixels));
}

bool ParsePosition(std::string_view text, int32_t& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() && value >= 1;
}

// The ranges of LIST ("1-3,7": first and last position of each); false when LIST is no such list.
bool ParsePageRanges(const std::string& list, PageRanges& ranges) {
  for (size_t from = 0; from <= list.size();) {
    size_t comma = std::min(list.find(',', from), list.size());
    std::string_view item = std::string_view(list).substr(from, comma - from);
    size_t dash = item.find('-');
    int32_t first = 0, last = 0;
    bool ok = dash == std::string_view::npos
                  ? ParsePosition(item, first) && ParsePosition(item, last)
                  : ParsePosition(item.substr(0, dash), first) && ParsePosition(item.substr(dash + 1), last);
    if (!ok || first > last) return false;
    ranges.emplace_back(first, last);
    from = comma + 1;
  }
  return true;
}

// The page indexes (0-based, ascending, each once) of `ranges` in a document of `count` pages; empty `why`
// when every position is a page of it.
std::vector<int32_t> PagesOf(const PageRanges& ranges, int32_t count, std::string& why) {
  std::vector<bool> chosen(static_cast<size_t>(count), false);
  for (auto [first, last] : ranges) {
    if (last > count) {
      why = "the document has no page " + std::to_string(last) + " (it has " + std::to_string(count) + ")";
      return {};
    }
    for (int32_t p = first; p <= last; ++p)
      chosen[p - 1] = true;
  }
  std::vector<int32_t> pages;
  for (int32_t i = 0; i < count; ++i) {
    if (chosen[i]) pages.push_back(i);
  }
  return pages;
}

// Answers 0 when the arguments are complete, -1 after --help, or the exit status to end with.
int ParseRenderArgs(CommandLine& args, RenderArgs& parsed) {
  std::string missing;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintRenderHelp();
      return -1;
    }
    if (args.TakeFlag("--guides")) {
      parsed.request.guides = true;
    } else if (args.TakeFlag("--spread")) {
      parsed.request.spreads = true;
    } else if (auto o = args.TakeValue("--output", "-o", missing)) {
      parsed.output = *o;
    } else if (auto p = args.TakeValue("--pages", "", missing)) {
      if (!ParsePageRanges(*p, parsed.pages))
        return UsageError("render: --pages takes positions and ranges such as 1-3,7, not '" + *p + "'");
    } else if (auto d = args.TakeValue("--dpi", "", missing)) {
      double dpi = 0;
      auto [end, error] = std::from_chars(d->data(), d->data() + d->size(), dpi);
      if (error != std::errc() || end != d->data() + d->size() ||
          !(dpi >= kMinRenderDpi && dpi <= kMaxRenderDpi))
        return UsageError("render: --dpi takes a resolution from " + std::to_string(int(kMinRenderDpi)) +
                          " to " + std::to_string(int(kMaxRenderDpi)) + ", not '" + *d + "'");
      parsed.request.dpi = dpi;
    } else if (!missing.empty()) {
      return UsageError("option " + missing + " needs a value");
    } else if (CommandLine::IsOption(args.Peek())) {
      return UsageError("render: unknown option '" + args.Peek() + "'");
    } else if (!parsed.document.empty()) {
      return UsageError("render: more than one document given");
    } else {
      parsed.document = args.Take();
    }
  }
  if (parsed.document.empty()) return UsageError("render: no document given");
  if (parsed.output.empty()) return UsageError("render: no output given (-o OUT.pdf, OUT.png or OUT.svg)");
  if (!DocumentRenderer::FormatOfPath(parsed.output, parsed.request.format))
    return UsageError("render: the output must end in .pdf, .png or .svg, not '" + parsed.output + "'");
  parsed.request.output = parsed.output;
  return 0;
}

}  // namespace

int RunRender(CommandLine& args) {
  RenderArgs parsed;
  if (int status = ParseRenderArgs(args, parsed)) return status < 0 ? kExitOk : status;
  if (std::string problem = WhyUnreadable(parsed.document); !problem.empty()) {
    Error("render: " + problem);
    return kExitFailure;
  }
  IDataBase* db = nullptr;
  if (DocumentResult opened = DocumentList::Get().OpenDocument(parsed.document, db); !opened.ok()) {
    Error("render: " + opened.message);
    return kExitFailure;
  }
  if (!parsed.pages.empty()) {
    std::string why;
    parsed.request.pages = PagesOf(parsed.pages, LayoutUtils::CountPages(db), why);
    if (!why.empty()) {
      Error("render: " + why);
      return kExitFailure;
    }
  }
  TerminalProgress::InstallWhenInteractive();
  std::unique_ptr<RangeProgressBar> bar;
  parsed.request.progress = [&](int32_t done, int32_t total) {
    if (!bar) bar = RangeProgressBar::Create("Rendering", parsed.output, 0, total);
    if (!bar) return true;
    bar->SetPosition(done);
    return !bar->ProcessEvents();
  };
  FileResult rendered = DocumentRenderer::Render(db, parsed.request);
  bar.reset();
  if (!rendered.ok()) {
    Error("render: " + rendered.message);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace pagehost
