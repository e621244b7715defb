// The layout operations for destinations, hyperlinks and text anchors.
#include "host/app/HyperlinkOperations.h"

#include <map>

#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/HyperlinkUtils.h"
#include "host/layout/LayoutReferences.h"
#include "host/layout/UserInput.h"
#include "host/res/ISwatchList.h"
#include "host/res/SwatchUtils.h"
#include "host/text/StyleUtils.h"

namespace {

using Result = LayoutOperationResult;

Result Done(ErrorCode err, UID made = kInvalidUID) {
  return Result::Done(err, err == kSuccess && made.IsValid() ? std::to_string(made.Get()) + "\n" : "");
}

std::optional<PageZoom> ParseZoom(const std::string& text, double& percent) {
  static const std::map<std::string, PageZoom> kNames = {
      {"fit-view", PageZoom::kFitView},       {"fit-window", PageZoom::kFitInWindow},
      {"fit-width", PageZoom::kFitWidth},     {"fit-height", PageZoom::kFitHeight},
      {"fit-visible", PageZoom::kFitVisible}, {"inherit", PageZoom::kInherit}};
  if (auto it = kNames.find(text); it != kNames.end()) return it->second;
  std::optional<int32_t> number = UserInput::ParseInteger(text);
  if (!number) return std::nullopt;
  percent = *number;
  return PageZoom::kFixed;
}

// destination NAME url URL|page P|anchor NAME [--zoom Z]
Result RunDestination(IDataBase& db, LayoutOperationWords& words) {
  HyperlinkParams p;
  HyperlinkDestination& d = p.destination;
  std::optional<std::string> zoom = words.Value("--zoom");
  std::string problem;
  std::vector<std::string> args = words.Positional(problem);
  if (!problem.empty()) return Result::Usage(problem);
  if (args.size() != 3) return Result::Usage("destination takes NAME url URL|page P|anchor NAME");
  if (zoom) {
    std::optional<PageZoom> parsed = ParseZoom(*zoom, d.zoomPercent);
    if (!parsed)
      return Result::Usage(
          "--zoom takes a percentage or fit-view, fit-window, fit-width, fit-height,"
          " fit-visible or inherit");
    d.zoom = *parsed;
  }
  d.name = WideFromUtf8(args[0]);
  if (args[1] == "url") {
    d.url = WideFromUtf8(args[2]);
  } else if (args[1] == "page") {
    LayoutReference page = LayoutReferences::Page(&db, args[2]);
    if (!page.ok()) return page.usage ? Result::Usage(page.problem) : Result::Failure(page.problem);
    d.kind = DestinationKind::kPage;
    d.page = page.uid;
  } else if (args[1] == "anchor") {
    d.kind = DestinationKind::kTextAnchor;
    d.anchor = HyperlinkUtils::FindTextAnchor(&db, WideFromUtf8(args[2]));
    if (!d.anchor.IsValid()) return Result::Failure("no text anchor is named " + args[2]);
  } else {
    return Result::Usage("a destination is a url, a page or an anchor, not '" + args[1] + "'");
  }
  return Done(HyperlinkUtils::Process(kSetDestinationCmdBoss, &db, {}, p));
}

// A place in text, STORY:N... with `count` numbers after a story reference (story:UID or a text frame):
// the numbers, or nothing when `text` is no such place.
std::optional<std::vector<int32_t>> TextPlace(const std::string& text, size_t count, std::string& story) {
  std::vector<int32_t> numbers;
  std::string rest = text;
  for (size_t at = rest.rfind(':'); numbers.size() < count && at != std::string::npos; at = rest.rfind(':')) {
    std::optional<int32_t> number = UserInput::ParseInteger(rest.substr(at + 1));
    if (!number) return std::nullopt;
    numbers.insert(numbers.begin(), *number);
    rest.resize(at);
  }
  if (numbers.size() < count || rest.empty()) return std::nullopt;
  story = rest;
  return numbers;
}

// STORY:START:END, anchor:NAME or an item.
std::string ParseSource(IDataBase& db, const std::string& text, HyperlinkSource& s) {
  if (text.starts_with("anchor:")) {
    s.kind = SourceKind::kTextAnchor;
    s.anchor = HyperlinkUtils::FindTextAnchor(&db, WideFromUtf8(text.substr(7)));
    return s.anchor.IsValid() ? "" : "no text anchor is named " + text.substr(7);
  }
  std::string ref;
  if (std::optional<std::vector<int32_t>> range = TextPlace(text, 2, ref)) {
    LayoutReference story = LayoutReferences::Story(&db, ref);
    s = {.kind = SourceKind::kText, .story = story.uid, .start = (*range)[0], .end = (*range)[1]};
    return story.problem;
  }
  LayoutReference item = LayoutReferences::Item(&db, text);
  s = {.kind = SourceKind::kItem, .item = item.uid};
  return item.problem;
}

// The index of `word` in `names`; nothing when it is none of them.
template <size_t N>
std::optional<uint8_t> IndexIn(const char* const (&names)[N], const std::string& word) {
  for (size_t i = 0; i < N; ++i) {
    if (word == names[i]) return static_cast<uint8_t>(i);
  }
  return std::nullopt;
}

// --highlight, --border, --dashed and --border-colour; a problem for the user, or nothing.
std::optional<Result> ReadAppearance(IDataBase& db, LayoutOperationWords& words, HyperlinkAppearance& a) {
  static const char* const kHighlights[] = {"none", "invert", "outline", "inset"};
  static const char* const kWidths[] = {"", "thin", "medium", "thick"};
  std::optional<std::string> highlight = words.Value("--highlight");
  std::optional<std::string> width = words.Value("--border");
  std::optional<std::string> colour = words.Value("--border-colour");
  a.borderStyle = words.Flag("--dashed") ? 1 : 0;
  if (highlight && !IndexIn(kHighlights, *highlight))
    return Result::Usage("--highlight takes none, invert, outline or inset");
  if (width && (width->empty() || !IndexIn(kWidths, *width)))
    return Result::Usage("--border takes thin, medium or thick");
  a.highlight = highlight ? *IndexIn(kHighlights, *highlight) : a.highlight;
  a.borderWidth = width ? *IndexIn(kWidths, *width) : a.borderWidth;
  if (!colour) return std::nullopt;
  auto swatches = SwatchUtils::QuerySwatchList(&db);
  a.borderColor = swatches ? swatches->FindSwatch(WideFromUtf8(*colour)) : kInvalidUID;
  if (!a.borderColor.IsValid()) return Result::Failure("no swatch is named " + *colour);
  return std::nullopt;
}

// hyperlink NAME --source SOURCE --to DESTINATION [--style CHARSTYLE] [--hidden] [appearance]
Result RunHyperlink(IDataBase& db, LayoutOperationWords& words) {
  HyperlinkParams p;
  if (std::optional<Result> problem = ReadAppearance(db, words, p.hyperlink.appearance)) return *problem;
  std::optional<std::string> source = words.Value("--source");
  std::optional<std::string> to = words.Value("--to");
  std::optional<std::string> style = words.Value("--style");
  p.hyperlink.visible = !words.Flag("--hidden");
  std::string problem;
  std::vector<std::string> args = words.Positional(problem);
  if (!problem.empty()) return Result::Usage(problem);
  if (args.size() != 1 || !source || !to)
    return Result::Usage("hyperlink takes NAME --source SOURCE --to DESTINATION");
  p.hyperlink.name = WideFromUtf8(args[0]);
  p.destinationName = WideFromUtf8(*to);
  if (std::string fault = ParseSource(db, *source, p.hyperlink.source); !fault.empty())
    return Result::Failure(fault);
  if (style) {
    StyleLookup found = StyleUtils::FindStyle(&db, StyleKind::kCharacter, WideFromUtf8(*style));
    if (!found.Found()) return Result::Failure("no character style is named " + *style);
    p.hyperlink.source.characterStyle = found.style;
  }
  return Done(HyperlinkUtils::Process(kNewHyperlinkCmdBoss, &db, {}, p));
}

// text-anchor NAME STORY:POSITION [--page]
Result RunTextAnchor(IDataBase& db, LayoutOperationWords& words) {
  HyperlinkParams p;
  p.pageAnchor = words.Flag("--page");
  std::string problem;
  std::vector<std::string> args = words.Positional(problem);
  if (!problem.empty()) return Result::Usage(problem);
  std::string ref;
  std::optional<std::vector<int32_t>> position = args.size() == 2 ? TextPlace(args[1], 1, ref) : std::nullopt;
  if (!position) return Result::Usage("text-anchor takes NAME STORY:POSITION");
  LayoutReference story = LayoutReferences::Story(&db, ref);
  if (!story.ok()) return story.usage ? Result::Usage(story.problem) : Result::Failure(story.problem);
  p.name = WideFromUtf8(args[0]);
  p.story = story.uid;
  p.position = (*position)[0];
  std::vector<UID> made;
  ErrorCode err = HyperlinkUtils::Process(kCreateTextAnchorCmdBoss, &db, {}, p, &made);
  return Done(err, made.empty() ? kInvalidUID : made[0]);
}

}  // namespace

std::vector<LayoutOperationInfo> HyperlinkOperations::GetOperations() const {
  return {
      {"destination",
       "  destination NAME url URL|page P|anchor NAME [--zoom PERCENT|fit-view|fit-window|fit-width|\n"
       "              fit-height|fit-visible|inherit]   (a destination of that name moves here)\n"},
      {"hyperlink",
       "  hyperlink NAME --source STORY:START:END|anchor:NAME|ITEM --to DESTINATION [--style CHARSTYLE]\n"
       "            [--hidden] [--highlight none|invert|outline|inset] [--border thin|medium|thick]\n"
       "            [--dashed] [--border-colour SWATCH]   (STORY: story:UID or a text frame)\n"},
      {"text-anchor",
       "  text-anchor NAME STORY:POSITION [--page]   (an anchor of that name moves here; prints its "
       "UID)\n"},
  };
}

LayoutOperationResult HyperlinkOperations::Run(IDataBase& db, std::string_view name,
                                               LayoutOperationWords& words) {
  if (name == "destination") return RunDestination(db, words);
  if (name == "hyperlink") return RunHyperlink(db, words);
  return RunTextAnchor(db, words);
}

ErrorCode RegisterHyperlinkOperations() {
  Registry& registry = Registry::Get();
  if (registry.IsClassRegistered(kHyperlinkOperationsBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<HyperlinkOperations>(kHyperlinkOperationsImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kHyperlinkOperationsBoss, kInvalidClass, "kHyperlinkOperationsBoss",
                                   {{IID_ILAYOUTOPERATIONPROVIDER, kHyperlinkOperationsImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kLayoutOperationService, kHyperlinkOperationsBoss);
  return error;
}
