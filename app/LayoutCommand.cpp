// pagehost layout: host layout commands run on a saved document, one undo step each, saved as a new file.
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "host/app/DocumentList.h"
#include "host/app/ILayoutOperationProvider.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/compose/ComposeClasses.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutReferences.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PageCmds.h"
#include "host/layout/UserInput.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"

namespace pagehost {
namespace {

// A usage problem of one operation: the message, for a command-line error.
struct Usage {
  std::string message;
};

// An operation that cannot be done as asked (a page, item or master it names does not exist): the message,
// for a failure of the command.
struct Failure {
  std::string message;
};

// Tells the user something about an operation that is no failure.
void Note(const std::string& op, const std::string& message) {
  Error("layout: " + op + ": note: " + message);
}

// The words of one operation after its name; options are taken out as they are asked for.
class OpArgs {
 public:
  explicit OpArgs(std::vector<std::string> words) : words_(std::move(words)) {}
  std::optional<std::string> Value(const std::string& name) { return words_.Value(name); }
  bool Flag(const std::string& name) { return words_.Flag(name); }
  // The words left, which must be no options.
  std::vector<std::string> Positional() const {
    std::string problem;
    std::vector<std::string> words = words_.Positional(problem);
    if (!problem.empty()) throw Usage{problem};
    return words;
  }
  LayoutOperationWords& Words() { return words_; }

 private:
  LayoutOperationWords words_;
};

// The UID a reference names; throws what is wrong with it.
UID Resolved(const LayoutReference& ref) {
  if (ref.usage) throw Usage{ref.problem};
  if (!ref.ok()) throw Failure{ref.problem};
  return ref.uid;
}

class Operations {
 public:
  explicit Operations(IDataBase* db) : db_(db) {}

  // Runs one operation and then, when `idle`, the idle step; the host's error code, which stays set as the
  // global error code with the reason the host gave, for the caller to read and reset. Throws Usage and
  // Failure.
  ErrorCode Run(const std::string& name, OpArgs args, bool idle);
  static const std::map<std::string, ErrorCode (Operations::*)(OpArgs&)>& Table();
  ErrorCode RunProvided(const std::string& name, OpArgs& args);

 private:
  ErrorCode Layout(ClassID cls, const std::vector<UID>& items, const LayoutParams& params,
                   std::vector<UID>* made = nullptr) {
    return LayoutCmdUtils::Process(cls, db_, items, params, made);
  }
  int32_t Int(const std::string& text, const char* what) const {
    auto n = UserInput::ParseInteger(text);
    if (!n) throw Usage{std::string(what) + " '" + text + "' is no whole number"};
    return *n;
  }
  std::vector<double> Lengths(const std::string& text, size_t count) const {
    auto v = UserInput::ParseLengths(text, count);
    if (!v) throw Usage{"'" + text + "' is not " + std::to_string(count) + " lengths"};
    return *v;
  }
  UID Page(const std::string& ref) const;
  UID Spread(const std::string& ref) const;
  UID Master(const std::string& ref) const;
  UID Item(const std::string& ref) const;
  std::vector<UID> Items(const std::vector<std::string>& refs, size_t from = 0, size_t skipLast = 0) const;
  UID Story(const std::string& ref) const;

  ErrorCode InsertPages(OpArgs& a);
  ErrorCode DeletePages(OpArgs& a);
  ErrorCode MovePages(OpArgs& a);
  ErrorCode NewSpread(OpArgs& a);
  ErrorCode DuplicateSpread(OpArgs& a);
  ErrorCode ApplyMaster(OpArgs& a);
  ErrorCode NewMaster(OpArgs& a);
  ErrorCode NewSection(OpArgs& a);
  ErrorCode NewLayer(OpArgs& a);
  ErrorCode Create(ClassID cls, OpArgs& a);
  ErrorCode Frame(OpArgs& a) {
    return Create(a.Flag("--graphic") ? kCreateGraphicFrameCmdBoss : kCreateTextFrameCmdBoss, a);
  }
  ErrorCode Rect(OpArgs& a) { return Create(kCreateRectangleCmdBoss, a); }
  ErrorCode Oval(OpArgs& a) { return Create(kCreateOvalCmdBoss, a); }
  ErrorCode Line(OpArgs& a) { return Create(kCreateLineCmdBoss, a); }
  ErrorCode Delete(OpArgs& a) { return Layout(kDeleteItemsCmdBoss, Items(a.Positional()), {}); }
  ErrorCode Group(OpArgs& a) { return Layout(kGroupItemsCmdBoss, Items(a.Positional()), {}); }
  ErrorCode Move(OpArgs& a);
  ErrorCode Resize(OpArgs& a);
  ErrorCode Rotate(OpArgs& a);
  ErrorCode Lock(OpArgs& a);
  ErrorCode Label(OpArgs& a);
  ErrorCode SendBehind(OpArgs& a);
  ErrorCode Link(OpArgs& a);
  ErrorCode Override(OpArgs& a);
  ErrorCode Revert(OpArgs& a);
  ErrorCode InsertText(OpArgs& a);
  ErrorCode DeleteText(OpArgs& a);
  ErrorCode Anchor(OpArgs& a);
  ErrorCode SetFrameOptions(OpArgs& a);
  double Length(const std::string& text) const { return Lengths(text, 1)[0]; }
  ErrorCode UndoOrRedo(OpArgs& a, bool redo);
  ErrorCode Undo(OpArgs& a) { return UndoOrRedo(a, false); }
  ErrorCode Redo(OpArgs& a) { return UndoOrRedo(a, true); }
  ErrorCode Idle(OpArgs&) { return ComposeUtils::RunIdleStep(db_); }

  // An operation that was done, with the undo steps it (and its idle step) recorded: none when it changed
  // nothing. Undo and redo take back and do again whole operations, no-ops included.
  struct Done {
    std::string name;
    uint64_t steps = 0;
  };
  IDataBase* db_;
  std::vector<Done> done_;
  std::vector<Done> undone_;
};

UID Operations::Page(const std::string& ref) const {
  return Resolved(LayoutReferences::Page(db_, ref));
}
UID Operations::Spread(const std::string& ref) const {
  return Resolved(LayoutReferences::Spread(db_, ref));
}
UID Operations::Master(const std::string& ref) const {
  return Resolved(LayoutReferences::Master(db_, ref));
}
UID Operations::Item(const std::string& ref) const {
  return Resolved(LayoutReferences::Item(db_, ref));
}

std::vector<UID> Operations::Items(const std::vector<std::string>& refs, size_t from, size_t skipLast) const {
  std::vector<UID> items;
  for (size_t i = from; i + skipLast < refs.size(); ++i)
    items.push_back(Item(refs[i]));
  if (items.empty()) throw Usage{"no items given"};
  return items;
}

UID Operations::Story(const std::string& ref) const {
  return Resolved(LayoutReferences::Story(db_, ref));
}

ErrorCode Operations::InsertPages(OpArgs& a) {
  LayoutParams p;
  auto spread = a.Value("--spread");
  if (!spread) throw Usage{"insert-pages needs --spread S"};
  p.target = Spread(*spread);
  if (auto at = a.Value("--at")) p.position = Int(*at, "position");
  if (auto count = a.Value("--count")) p.count = Int(*count, "count");
  if (auto master = a.Value("--master")) p.second = Master(*master);
  // The host takes a size of 0 for the neighbouring page's, which is what leaving out --size means.
  if (auto size = a.Value("--size")) {
    std::vector<double> v = Lengths(*size, 2);
    if (std::string fault = PageSizeFault(v[0], v[1]); !fault.empty()) throw Failure{fault};
    p.width = v[0];
    p.height = v[1];
  }
  p.flag = a.Flag("--redistribute");
  if (!a.Positional().empty()) throw Usage{"insert-pages takes no other arguments"};
  return Layout(kInsertPagesCmdBoss, {}, p);
}

ErrorCode Operations::DeletePages(OpArgs& a) {
  std::vector<UID> pages;
  for (const std::string& ref : a.Positional())
    pages.push_back(Page(ref));
  if (pages.empty()) throw Usage{"delete-pages needs pages"};
  return Layout(kDeletePagesCmdBoss, pages, {});
}

ErrorCode Operations::MovePages(OpArgs& a) {
  LayoutParams p;
  auto to = a.Value("--to-spread");
  if (!to) throw Usage{"move-pages needs --to-spread S"};
  p.target = Spread(*to);
  if (auto at = a.Value("--at")) p.position = Int(*at, "position");
  std::vector<UID> pages;
  for (const std::string& ref : a.Positional())
    pages.push_back(Page(ref));
  if (pages.empty()) throw Usage{"move-pages needs pages"};
  return Layout(kMovePagesCmdBoss, pages, p);
}

ErrorCode Operations::NewSpread(OpArgs& a) {
  LayoutParams p;
  if (auto at = a.Value("--at")) p.position = Int(*at, "position") - 1;
  auto pages = a.Value("--pages");
  p.count = pages ? Int(*pages, "page count") : 1;
  if (auto master = a.Value("--master")) p.second = Master(*master);
  if (!a.Positional().empty()) throw Usage{"new-spread takes no other arguments"};
  return Layout(kNewSpreadCmdBoss, {}, p);
}

ErrorCode Operations::DuplicateSpread(OpArgs& a) {
  LayoutParams p;
  if (auto at = a.Value("--at")) p.position = Int(*at, "position") - 1;
  if (auto master = a.Value("--master")) return Layout(kDuplicateMasterSpreadCmdBoss, {Master(*master)}, p);
  std::vector<std::string> words = a.Positional();
  if (words.size() != 1) throw Usage{"duplicate-spread needs one spread (or --master M)"};
  return Layout(kDuplicateSpreadCmdBoss, {Spread(words[0])}, p);
}

ErrorCode Operations::ApplyMaster(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() < 2) throw Usage{"apply-master needs a master and pages"};
  LayoutParams p;
  p.target = Master(words[0]);
  std::vector<UID> pages;
  for (size_t i = 1; i < words.size(); ++i)
    pages.push_back(Page(words[i]));
  return Layout(kApplyMasterCmdBoss, pages, p);
}

ErrorCode Operations::NewMaster(OpArgs& a) {
  LayoutParams p;
  if (auto pages = a.Value("--pages"))
    p.count = Int(*pages, "page count");
  else
    p.count = 0;
  if (auto basedOn = a.Value("--based-on")) p.second = Master(*basedOn);
  std::vector<std::string> words = a.Positional();
  if (words.size() != 1) throw Usage{"new-master needs PREFIX-NAME"};
  size_t hyphen = words[0].find('-');
  p.prefix = WideFromUtf8(words[0].substr(0, hyphen));
  p.name = hyphen == std::string::npos ? u"Master" : WideFromUtf8(words[0].substr(hyphen + 1));
  return Layout(kNewMasterCmdBoss, {}, p);
}

ErrorCode Operations::NewSection(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.empty() || words.size() > 2) throw Usage{"new-section needs a page and an optional name"};
  LayoutParams p;
  p.target = Page(words[0]);
  if (words.size() == 2) p.name = WideFromUtf8(words[1]);
  return Layout(kNewSectionCmdBoss, {}, p);
}

ErrorCode Operations::NewLayer(OpArgs& a) {
  LayoutParams p;
  if (auto at = a.Value("--at")) p.position = Int(*at, "position");
  std::vector<std::string> words = a.Positional();
  if (words.size() != 1) throw Usage{"new-layer needs one name"};
  p.name = WideFromUtf8(words[0]);
  return Layout(kNewLayerCmdBoss, {}, p);
}

// --page P and --master M:N take bounds in the page's coordinates, --spread S in the spread's.
ErrorCode Operations::Create(ClassID cls, OpArgs& a) {
  LayoutParams p;
  UID page;
  if (auto ref = a.Value("--page")) page = Page(*ref);
  if (auto ref = a.Value("--master")) page = Page(*ref);
  if (auto ref = a.Value("--spread")) p.target = Spread(*ref);
  if (page.IsValid()) p.target = page;
  if (!p.target.IsValid()) throw Usage{"give the item's place with --page, --master or --spread"};
  if (auto layer = a.Value("--layer")) {
    auto layers = LayoutUtils::QueryLayerList(db_);
    for (int32_t i = 0; i < layers->CountLayers(); ++i) {
      if (Instantiate<IDocumentLayer>(db_, layers->GetNthLayer(i))->GetName() == WideFromUtf8(*layer))
        p.second = layers->GetNthLayer(i);
    }
    if (!p.second.IsValid()) throw Failure{"no layer named '" + *layer + "'"};
  }
  std::optional<std::string> label = a.Value("--label");
  std::vector<std::string> words = a.Positional();
  if (words.size() != 1) throw Usage{"give the bounds as L,T,R,B"};
  std::vector<double> b = Lengths(words[0], 4);
  p.bounds = {b[0], b[1], b[2], b[3]};
  if (page.IsValid()) p.bounds = LayoutUtils::PageToSpread(db_, p.bounds, page);
  p.flag = cls == kCreateGraphicFrameCmdBoss;
  CommandSequenceScope sequence("Create Page Item");
  std::vector<UID> made;
  ErrorCode err = Layout(cls, {}, p, &made);
  if (err == kSuccess && label) {
    LayoutParams named;
    named.name = WideFromUtf8(*label);
    err = Layout(kSetLabelCmdBoss, made, named);
  }
  if (err == kSuccess) std::printf("%u\n", made[0].Get());
  return err;
}

ErrorCode Operations::Move(OpArgs& a) {
  auto by = a.Value("--by");
  if (!by) throw Usage{"move needs --by DX,DY"};
  std::vector<double> d = Lengths(*by, 2);
  return Layout(kMoveItemsCmdBoss, Items(a.Positional()), {.dx = d[0], .dy = d[1]});
}

ErrorCode Operations::Resize(OpArgs& a) {
  auto to = a.Value("--to");
  if (!to) throw Usage{"resize needs --to W,H"};
  std::vector<double> s = Lengths(*to, 2);
  return Layout(kResizeItemsCmdBoss, Items(a.Positional()), {.width = s[0], .height = s[1]});
}

ErrorCode Operations::Rotate(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() < 2) throw Usage{"rotate needs items and an angle"};
  auto angle = UserInput::ParseLength(words.back());
  if (!angle) throw Usage{"'" + words.back() + "' is no angle"};
  std::vector<UID> items = Items(words, 0, 1);
  ErrorCode err = kSuccess;
  CommandSequenceScope sequence("Rotate");
  for (UID item : items) {
    ItemTransform t = Instantiate<IPageItem>(db_, item)->GetTransform();
    t.rotation = *angle;
    if (err == kSuccess) err = Layout(kTransformItemsCmdBoss, {item}, {.transform = t});
  }
  return err;
}

ErrorCode Operations::Lock(OpArgs& a) {
  bool off = a.Flag("--off");
  return Layout(kLockItemsCmdBoss, Items(a.Positional()), {.flag = !off});
}

ErrorCode Operations::Label(OpArgs& a) {
  LayoutParams p;
  if (auto key = a.Value("--key")) p.key = WideFromUtf8(*key);
  std::vector<std::string> words = a.Positional();
  if (words.size() < 2) throw Usage{"label needs items and a text"};
  p.name = WideFromUtf8(words.back());
  return Layout(kSetLabelCmdBoss, Items(words, 0, 1), p);
}

ErrorCode Operations::SendBehind(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() < 2) throw Usage{"send-behind needs items and the item to go behind"};
  return Layout(kSendBehindCmdBoss, Items(words, 0, 1), {.target = Item(words.back())});
}

ErrorCode Operations::Link(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() != 2) throw Usage{"link needs two frames"};
  return Layout(kTextLinkCmdBoss, {Item(words[0]), Item(words[1])}, {});
}

ErrorCode Operations::Override(OpArgs& a) {
  auto ref = a.Value("--page");
  if (!ref) throw Usage{"override needs --page P"};
  UID page = Page(*ref);
  std::vector<UID> items =
      a.Flag("--all") ? LayoutUtils::MasterItemsShownOnPage(db_, page) : Items(a.Positional());
  if (items.empty()) throw Failure{"page " + *ref + " shows no master items"};
  LayoutParams p;
  p.pages = {page};
  std::vector<UID> made;
  ErrorCode err = Layout(kOverrideMasterItemsCmdBoss, items, p, &made);
  for (UID uid : made)
    std::printf("%u\n", uid.Get());
  return err;
}

ErrorCode Operations::Revert(OpArgs& a) {
  if (auto ref = a.Value("--page")) return Layout(kRevertOverridesCmdBoss, {Page(*ref)}, {});
  return Layout(kRevertOverridesCmdBoss, Items(a.Positional()), {});
}

ErrorCode Operations::InsertText(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() != 3)
    throw Usage{"insert-text needs a frame (or story:UID), a position (or end) and a text"};
  UID story = Story(words[0]);
  int32_t at =
      words[1] == "end" ? Instantiate<ITextModel>(db_, story)->TotalLength() - 1 : Int(words[1], "position");
  return TextCmdUtils::InsertText(UIDRef(db_, story), at, WideFromUtf8(words[2]));
}

ErrorCode Operations::DeleteText(OpArgs& a) {
  std::vector<std::string> words = a.Positional();
  if (words.size() != 3) throw Usage{"delete-text needs a frame (or story:UID), a start and an end"};
  return TextCmdUtils::DeleteText(UIDRef(db_, Story(words[0])), Int(words[1], "start"), Int(words[2], "end"));
}

// Inserts an anchor character and anchors the item on it, as one undo step.
ErrorCode Operations::Anchor(OpArgs& a) {
  static const std::map<std::string, AnchorKind> kinds = {{"inline", AnchorKind::kInline},
                                                          {"above-line", AnchorKind::kAboveLine},
                                                          {"custom", AnchorKind::kCustom}};
  LayoutParams p;
  if (auto kind = a.Value("--kind")) {
    auto found = kinds.find(*kind);
    if (found == kinds.end()) throw Usage{"--kind is inline, above-line or custom, not '" + *kind + "'"};
    p.anchor = found->second;
  }
  std::vector<std::string> words = a.Positional();
  if (words.size() != 3) throw Usage{"anchor needs an item, a frame (or story:UID) and a position (or end)"};
  UID item = Item(words[0]);
  p.target = Story(words[1]);
  int32_t length = Instantiate<ITextModel>(db_, p.target)->TotalLength();
  p.position = words[2] == "end" ? length - 1 : Int(words[2], "position");
  if (p.position < 0 || p.position >= length) throw Usage{"position " + words[2] + " is not in the story"};
  CommandSequenceScope sequence("Anchor Object");
  ErrorCode err = TextCmdUtils::InsertText(UIDRef(db_, p.target), p.position, std::u16string(1, kAnchorChar));
  return err == kSuccess ? Layout(kAnchorItemCmdBoss, {item}, p) : err;
}

// Each option given runs its frame option command on each frame, with the frame's other options as they
// were (columns and gutter are one command), all as one undo step.
ErrorCode Operations::SetFrameOptions(OpArgs& a) {
  static const std::map<std::string, FirstBaseline> baselines = {
      {"ascent", FirstBaseline::kAscent},   {"cap-height", FirstBaseline::kCapHeight},
      {"leading", FirstBaseline::kLeading}, {"x-height", FirstBaseline::kXHeight},
      {"fixed", FirstBaseline::kFixed},     {"em-box", FirstBaseline::kEmBox}};
  static const std::map<std::string, VerticalJustification> verticals = {
      {"top", VerticalJustification::kTop},
      {"center", VerticalJustification::kCenter},
      {"bottom", VerticalJustification::kBottom},
      {"justify", VerticalJustification::kJustify}};
  auto columns = a.Value("--columns");
  auto gutter = a.Value("--gutter");
  auto insets = a.Value("--insets");
  auto baseline = a.Value("--first-baseline");
  auto minimum = a.Value("--minimum");
  auto vertical = a.Value("--vertical");
  auto limit = a.Value("--spacing-limit");
  std::vector<UID> frames = Items(a.Positional());
  if (baseline && !baselines.contains(*baseline))
    throw Usage{"--first-baseline is ascent, cap-height, leading, x-height, em-box or fixed, not '" +
                *baseline + "'"};
  if (vertical && !verticals.contains(*vertical))
    throw Usage{"--vertical is top, center, bottom or justify, not '" + *vertical + "'"};
  std::vector<std::pair<ClassID, std::function<void(FrameOptions&)>>> parts;
  if (columns || gutter) {
    std::optional<int32_t> n = columns ? std::optional(Int(*columns, "column count")) : std::nullopt;
    std::optional<double> g = gutter ? std::optional(Length(*gutter)) : std::nullopt;
    parts.emplace_back(kSetFrameColumnsCmdBoss, [=](FrameOptions& o) {
      if (n) o.columns = *n;
      if (g) o.gutter = *g;
    });
  }
  if (insets) {
    std::vector<double> v = Lengths(*insets, 4);
    parts.emplace_back(kSetFrameInsetsCmdBoss, [=](FrameOptions& o) { o.insets = {v[0], v[1], v[2], v[3]}; });
  }
  if (vertical) {
    VerticalJustification j = verticals.at(*vertical);
    parts.emplace_back(kSetVerticalJustificationCmdBoss,
                       [=](FrameOptions& o) { o.verticalJustification = j; });
  }
  if (baseline || minimum) {
    std::optional<FirstBaseline> type = baseline ? std::optional(baselines.at(*baseline)) : std::nullopt;
    std::optional<double> m = minimum ? std::optional(Length(*minimum)) : std::nullopt;
    parts.emplace_back(kSetFirstBaselineCmdBoss, [=](FrameOptions& o) {
      if (type) o.firstBaseline = *type;
      if (m) o.firstBaselineMinimum = *m;
    });
  }
  if (limit) {
    double l = Length(*limit);
    parts.emplace_back(kSetParagraphSpacingLimitCmdBoss,
                       [=](FrameOptions& o) { o.paragraphSpacingLimit = l; });
  }
  if (parts.empty()) throw Usage{"frame-options needs at least one option"};
  CommandSequenceScope sequence("Text Frame Options");
  for (UID frame : frames) {
    auto text = Instantiate<ITextFrame>(db_, frame);
    if (!text) throw Failure{"item " + std::to_string(frame.Get()) + " is no text frame"};
    for (const auto& [cls, change] : parts) {
      LayoutParams p;
      p.options = text->GetOptions();
      change(p.options);
      if (ErrorCode err = Layout(cls, {frame}, p); err != kSuccess) return err;
    }
  }
  return kSuccess;
}

const std::map<std::string, ErrorCode (Operations::*)(OpArgs&)>& Operations::Table() {
  static const std::map<std::string, ErrorCode (Operations::*)(OpArgs&)> table = {
      {"insert-pages", &Operations::InsertPages},
      {"delete-pages", &Operations::DeletePages},
      {"move-pages", &Operations::MovePages},
      {"new-spread", &Operations::NewSpread},
      {"duplicate-spread", &Operations::DuplicateSpread},
      {"apply-master", &Operations::ApplyMaster},
      {"new-master", &Operations::NewMaster},
      {"new-section", &Operations::NewSection},
      {"new-layer", &Operations::NewLayer},
      {"frame", &Operations::Frame},
      {"rect", &Operations::Rect},
      {"oval", &Operations::Oval},
      {"line", &Operations::Line},
      {"delete", &Operations::Delete},
      {"group", &Operations::Group},
      {"move", &Operations::Move},
      {"resize", &Operations::Resize},
      {"rotate", &Operations::Rotate},
      {"lock", &Operations::Lock},
      {"label", &Operations::Label},
      {"send-behind", &Operations::SendBehind},
      {"link", &Operations::Link},
      {"override", &Operations::Override},
      {"revert", &Operations::Revert},
      {"insert-text", &Operations::InsertText},
      {"delete-text", &Operations::DeleteText},
      {"anchor", &Operations::Anchor},
      {"frame-options", &Operations::SetFrameOptions},
      {"undo", &Operations::Undo},
      {"redo", &Operations::Redo},
      {"idle", &Operations::Idle},
  };
  return table;
}

ErrorCode Operations::Run(const std::string& name, OpArgs args, bool idle) {
  auto op = Table().find(name);
  uint64_t before = db_->CountRecordedSteps();
  ErrorCode err = op != Table().end() ? (this->*op->second)(args) : RunProvided(name, args);
  if (err == kSuccess && idle) err = ComposeUtils::RunIdleStep(db_);
  if (err == kSuccess && name != "undo" && name != "redo") {
    done_.push_back({name, db_->CountRecordedSteps() - before});
    undone_.clear();
  }
  return err;
}

// An operation of a host area or a plug-in, found among the providers by its name.
ErrorCode Operations::RunProvided(const std::string& name, OpArgs& args) {
  for (const auto& provider : LayoutOperationProviders()) {
    for (const LayoutOperationInfo& info : provider->GetOperations()) {
      if (info.name != name) continue;
      LayoutOperationResult result = provider->Run(*db_, name, args.Words());
      if (result.kind == LayoutOperationResult::Kind::kUsage) throw Usage{result.message};
      if (result.kind == LayoutOperationResult::Kind::kFailure) throw Failure{result.message};
      std::fputs(result.output.c_str(), stdout);
      return result.code;
    }
  }
  throw Usage{"unknown operation '" + name + "'"};
}

// Takes back the last operation done (does again the last one taken back), with every step it recorded.
ErrorCode Operations::UndoOrRedo(OpArgs& a, bool redo) {
  std::string verb = redo ? "redo" : "undo";
  if (!a.Positional().empty()) throw Usage{verb + " takes no arguments"};
  std::vector<Done>& from = redo ? undone_ : done_;
  if (from.empty())
    throw Failure{redo ? "no undone operation comes before it to redo"
                       : "no operation comes before it to undo (a saved document keeps no undo history)"};
  Done op = from.back();
  from.pop_back();
  if (op.steps == 0) Note(verb, op.name + " changed nothing, so there is nothing to " + verb);
  for (uint64_t i = 0; i < op.steps; ++i) {
    if ((redo ? CmdUtils::Redo(db_) : CmdUtils::Undo(db_)) != kSuccess)
      throw Failure{"the host could not " + verb + " " + op.name};
  }
  (redo ? done_ : undone_).push_back(op);
  return kSuccess;
}

// What to tell the user when the host refused an operation without saying why.
std::string Reason(ErrorCode code) {
  switch (static_cast<int32_t>(code)) {
    case kInvalidParameterError:
      return "the host refused it (invalid parameter)";
    case kFailure:
      return "the host refused it (nothing to do, or it failed)";
    case kOutOfMemoryError:
      return "out of memory";
    default:
      return "the host refused it (error " + std::to_string(static_cast<int32_t>(code)) + ")";
  }
}

void PrintLayoutHelp() {
  std::printf(
      "Usage: pagehost layout DOC -o OUT [--no-idle] OP [ARGS] [-- OP [ARGS]]...\n"
      "\n"
      "Runs the operations on DOC in order, each as its own undo step followed by an idle step that runs\n"
      "scheduled commands and composes damaged stories (unless --no-idle), and saves the result as OUT.\n"
      "DOC itself is not changed.\n"
      "\n"
      "Pages are numbered from 1 (master pages as MASTER:N), spreads from 1; items are given by UID or as\n"
      "label:NAME; masters by prefix or full name, or none. Lengths take pt (default), mm or in.\n"
      "\n"
      "Operations:\n"
      "  insert-pages --spread S [--at P] [--count N] [--master M] [--size W,H] [--redistribute]\n"
      "  delete-pages PAGE...            move-pages PAGE... --to-spread S [--at P]\n"
      "  new-spread [--at S] [--pages N] [--master M]\n"
      "  duplicate-spread S [--at S] | duplicate-spread --master M\n"
      "  apply-master M PAGE...          new-master PREFIX-NAME [--pages N] [--based-on M]\n"
      "  new-section PAGE [NAME]         new-layer NAME [--at I]\n"
      "  frame|rect|oval|line (--page P | --master M:N | --spread S) L,T,R,B [--label TEXT] [--layer NAME]\n"
      "                                  (frame --graphic: a graphic frame; prints the new item's UID)\n"
      "  delete ITEM...   group ITEM...   move ITEM... --by DX,DY   resize ITEM... --to W,H\n"
      "  rotate ITEM... DEGREES          lock ITEM... [--off]      label ITEM... TEXT [--key KEY]\n"
      "  send-behind ITEM... ITEM        link FRAME FRAME\n"
      "  override (ITEM... | --all) --page P   (prints the local copies' UIDs)\n"
      "  revert ITEM... | revert --page P\n"
      "  insert-text FRAME|story:UID POSITION|end TEXT   delete-text FRAME|story:UID START END\n"
      "  anchor ITEM FRAME|story:UID POSITION|end [--kind inline|above-line|custom]\n"
      "                                  (inserts an anchor character there and anchors ITEM on it: the\n"
      "                                  item leaves its spread and follows the text; inline by default)\n"
      "  frame-options FRAME... [--columns N] [--gutter G] [--insets T,L,B,R] [--vertical top|center|\n"
      "                bottom|justify] [--first-baseline ascent|cap-height|leading|x-height|\n"
      "                em-box|fixed] [--minimum M] [--spacing-limit L]\n"
      "                                  (what is not given stays as it was)\n");
  // Operations the host's areas and the loaded plug-ins provide.
  for (const auto& provider : LayoutOperationProviders()) {
    for (const LayoutOperationInfo& info : provider->GetOperations())
      std::fputs(info.help.c_str(), stdout);
  }
  std::printf(
      "  undo   redo   idle\n"
      "\n"
      "undo takes back the operation before it, whatever that did (a second undo the one before that, and\n"
      "so on): after an operation that changed nothing, such as locking a locked item, it takes back\n"
      "nothing and says so. redo does again what the last undo took back, until another operation runs. A\n"
      "saved document keeps no undo history: an undo with no operation before it fails.\n"
      "\n"
      "Exit status: 0 when every operation was done; 1 when one could not be done: a page, spread, master,\n"
      "layer, item or story it names does not exist, or the host refused it (the message says why); OUT is\n"
      "then not written; 2 for a command-line error.\n");
}

struct LayoutArgs {
  std::string input, output;
  bool idle = true;
  std::vector<std::vector<std::string>> operations;
};

// Answers 0 when the arguments are complete, -1 after the help, or the exit status to end with.
int ParseLayoutArgs(CommandLine& args, LayoutArgs& parsed) {
  std::string missing;
  while (!args.Done() && parsed.operations.empty()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintLayoutHelp();
      return -1;
    }
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      parsed.output = *o;
    } else if (!missing.empty()) {
      return UsageError("option " + missing + " needs a file name");
    } else if (args.TakeFlag("--no-idle")) {
      parsed.idle = false;
    } else if (CommandLine::IsOption(args.Peek())) {
      return UsageError("layout: unknown option '" + args.Peek() + "'");
    } else if (parsed.input.empty()) {
      parsed.input = args.Take();
    } else {
      parsed.operations.push_back({args.Take()});
    }
  }
  while (!args.Done()) {
    std::string word = args.Take();
    if (word == "--") {
      parsed.operations.push_back({});
    } else {
      parsed.operations.back().push_back(word);
    }
  }
  if (parsed.input.empty()) return UsageError("layout: no document given");
  if (parsed.output.empty()) return UsageError("layout: no output file given (use -o FILE)");
  for (const auto& op : parsed.operations) {
    if (op.empty()) return UsageError("layout: an empty operation after --");
  }
  if (parsed.operations.empty()) return UsageError("layout: no operation given");
  return 0;
}

}  // namespace

int RunLayout(CommandLine& args) {
  LayoutArgs parsed;
  if (int status = ParseLayoutArgs(args, parsed); status != 0) return status < 0 ? kExitOk : status;
  if (std::string problem = WhyUnreadable(parsed.input); !problem.empty()) {
    Error("layout: " + problem);
    return kExitFailure;
  }
  IDataBase* db = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(parsed.input, db);
  if (!opened.ok()) {
    Error("layout: " + opened.message);
    return kExitFailure;
  }
  Operations operations(db);
  for (const auto& op : parsed.operations) {
    ErrorCode err = kSuccess;
    try {
      err = operations.Run(op[0], OpArgs({op.begin() + 1, op.end()}), parsed.idle);
    } catch (const Usage& usage) {
      return UsageError("layout: " + op[0] + ": " + usage.message);
    } catch (const Failure& failure) {
      Error("layout: " + op[0] + ": " + failure.message);
      return kExitFailure;
    }
    std::string reason = ErrorUtils::PMGetGlobalErrorReason();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    if (err != kSuccess) {
      Error("layout: " + op[0] + ": " + (reason.empty() ? Reason(err) : reason));
      return kExitFailure;
    }
  }
  // What the operations printed (the new items' UIDs) belongs to the result: without it, OUT is not written.
  if (!FlushStandardOutput()) return kExitFailure;
  DocumentResult saved = DocumentList::Get().SaveDocumentAs(db, parsed.output);
  if (!saved.ok()) {
    Error("layout: " + saved.message);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace pagehost
