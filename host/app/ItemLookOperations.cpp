// The layout operations that change how items look: fill, stroke, corner, wrap and object styles.
#include "host/app/ItemLookOperations.h"

#include <cmath>
#include <functional>
#include <map>
#include <utility>

#include "host/app/ILayoutOperationProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/ItemLook.h"
#include "host/layout/ItemLookCmdUtils.h"
#include "host/layout/LayoutReferences.h"
#include "host/layout/UserInput.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyleList.h"
#include "host/res/LineEndStyles.h"
#include "host/res/SwatchUtils.h"

namespace {

using Result = LayoutOperationResult;

// The words of one operation as it reads them; the first problem met ends the reading.
class Reader {
 public:
  Reader(IDataBase& db, LayoutOperationWords& words) : db_(db), words_(words) {}

  std::optional<Result> problem;

  std::vector<std::string> Positional(size_t least) {
    std::string why;
    std::vector<std::string> words = words_.Positional(why);
    if (!why.empty()) Usage(why);
    if (words.size() < least) Usage("too few arguments");
    return problem ? std::vector<std::string>() : words;
  }
  std::optional<std::string> Value(std::string_view name) { return words_.Value(name); }
  bool Flag(std::string_view name) { return words_.Flag(name); }

  std::vector<UID> Items(const std::vector<std::string>& refs) {
    std::vector<UID> items;
    for (const std::string& ref : refs) {
      LayoutReference r = LayoutReferences::Item(&db_, ref);
      if (r.ok()) {
        items.push_back(r.uid);
      } else if (r.usage) {
        Usage(r.problem);
      } else {
        Fail(r.problem);
      }
    }
    return items;
  }
  UID Swatch(const std::string& name) {
    auto swatches = SwatchUtils::QuerySwatchList(&db_);
    UID swatch = !swatches        ? kInvalidUID
                 : name == "none" ? swatches->GetNoneSwatchUID()
                                  : swatches->FindSwatch(WideFromUtf8(name));
    if (!swatch.IsValid()) Fail("no swatch is named '" + name + "'");
    return swatch;
  }
  UID StrokeStyle(const std::string& name) {
    auto styles = QueryDocWorkspace<IStrokeStyleList>(&db_);
    UID style = styles ? styles->FindStrokeStyle(WideFromUtf8(name)) : kInvalidUID;
    if (!style.IsValid()) Fail("no stroke style is named '" + name + "'");
    return style;
  }
  double Length(const std::string& text) {
    std::optional<double> v = UserInput::ParseLength(text);
    if (!v) Usage("'" + text + "' is no length");
    return v.value_or(0);
  }
  double Tint(const std::string& text) {
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(v >= 0 && v <= 100)) Usage("a tint is a percentage from 0 to 100");
    return v;
  }
  int32_t Choice(const std::string& text, std::initializer_list<std::pair<const char*, int32_t>> choices) {
    for (const auto& [name, value] : choices) {
      if (text == name) return value;
    }
    Usage("'" + text + "' is not one of the choices");
    return 0;
  }
  ObjectStyleID Style(const std::string& name) {
    auto list = ItemLook::QueryStyleList(&db_);
    ObjectStyleID id = list ? list->FindStyleByName(WideFromUtf8(name)) : kInvalidObjectStyle;
    if (id == kInvalidObjectStyle) Fail("no object style is named '" + name + "'");
    return id;
  }

  void Usage(const std::string& message) {
    if (!problem) problem = Result::Usage(message);
  }
  void Fail(const std::string& message) {
    if (!problem) problem = Result::Failure(message);
  }

 private:
  IDataBase& db_;
  LayoutOperationWords& words_;
};

// Options shared by the operations that set attributes: each adds one attribute when given.
void ReadOption(Reader& r, GraphicAttributeList& list, std::string_view option, GraphicAttr cls) {
  std::optional<std::string> v = r.Value(option);
  if (!v) return;
  GraphicAttribute a{cls};
  switch (FindGraphicAttr(cls)->kind) {
    case GraphicValueKind::kSwatch:
      a.ref = r.Swatch(*v);
      break;
    case GraphicValueKind::kStrokeStyle:
      a.ref = r.StrokeStyle(*v);
      break;
    case GraphicValueKind::kTint:
      a.number = r.Tint(*v);
      break;
    case GraphicValueKind::kLength:
      a.number = r.Length(*v);
      break;
    default:
      if (cls == GraphicAttr::kStrokeAlignment) {
        a.number = r.Choice(*v, {{"center", 0}, {"inside", 1}, {"outside", 2}});
      } else if (cls == GraphicAttr::kEndCap) {
        a.number = r.Choice(*v, {{"butt", 0}, {"round", 1}, {"projecting", 2}});
      } else {
        std::optional<LineEnd> end = LineEndStyles::Find(WideFromUtf8(*v));
        if (!end) r.Usage("no line end is named '" + *v + "'");
        a.number = static_cast<double>(end.value_or(LineEnd::kNone));
      }
  }
  list.Set(a);
}

Result Done(ErrorCode err, std::string output = {}) {
  return Result::Done(err, std::move(output));
}

Result Fill(IDataBase& db, Reader& r) {
  GraphicAttributeList list;
  ReadOption(r, list, "--tint", GraphicAttr::kFillTint);
  std::vector<std::string> words = r.Positional(2);
  if (r.problem) return *r.problem;
  list.Set({GraphicAttr::kFillColor, 0, r.Swatch(words.back())});
  words.pop_back();
  std::vector<UID> items = r.Items(words);
  return r.problem ? *r.problem : Done(ItemLookCmdUtils::ApplyAttributes(&db, items, list));
}

Result Stroke(IDataBase& db, Reader& r) {
  GraphicAttributeList list;
  const std::pair<std::string_view, GraphicAttr> options[] = {
      {"--weight", GraphicAttr::kStrokeWeight},   {"--colour", GraphicAttr::kStrokeColor},
      {"--tint", GraphicAttr::kStrokeTint},       {"--type", GraphicAttr::kStrokeType},
      {"--align", GraphicAttr::kStrokeAlignment}, {"--cap", GraphicAttr::kEndCap},
      {"--gap-colour", GraphicAttr::kGapColor},   {"--gap-tint", GraphicAttr::kGapTint},
      {"--start", GraphicAttr::kLineStart},       {"--end", GraphicAttr::kLineEnd},
  };
  for (const auto& [option, cls] : options)
    ReadOption(r, list, option, cls);
  std::vector<UID> items = r.Items(r.Positional(1));
  if (r.problem) return *r.problem;
  if (list.empty()) return Result::Usage("give at least one option");
  return Done(ItemLookCmdUtils::ApplyAttributes(&db, items, list));
}

Result Corner(IDataBase& db, Reader& r) {
  std::vector<std::string> words = r.Positional(3);
  if (r.problem) return *r.problem;
  double size = r.Length(words.back());
  auto effect = r.Choice(words[words.size() - 2], {{"none", 0},
                                                   {"fancy", 23060},
                                                   {"bevel", 23061},
                                                   {"inset", 23062},
                                                   {"inverse-rounded", 23063},
                                                   {"rounded", 23064}});
  std::vector<UID> items = r.Items({words.begin(), words.end() - 2});
  if (r.problem) return *r.problem;
  GraphicAttributeList list;
  list.Set({GraphicAttr::kCornerEffect, static_cast<double>(effect)});
  list.Set({GraphicAttr::kCornerSize, size});
  return Done(ItemLookCmdUtils::ApplyAttributes(&db, items, list));
}

// The wrap options; the mode comes after.
void ReadWrapOptions(Reader& r, TextWrapSettings& wrap) {
  if (std::optional<std::string> offsets = r.Value("--offsets")) {
    std::optional<std::vector<double>> v = UserInput::ParseLengths(*offsets, 4);
    if (!v) r.Usage("--offsets takes four lengths: top, left, bottom, right");
    for (size_t i = 0; v && i < 4; ++i)
      wrap.offsets[i] = (*v)[i];
  }
  if (std::optional<std::string> side = r.Value("--side"); side && !WrapSideOfName(*side, wrap.side))
    r.Usage("'" + *side + "' is no wrap side");
  wrap.invert = r.Flag("--invert");
}

bool ReadWrapMode(Reader& r, const std::string& name, TextWrapSettings& wrap) {
  if (!WrapModeOfName(name, wrap.mode)) r.Usage("'" + name + "' is no wrap mode");
  return !r.problem;
}

Result Wrap(IDataBase& db, Reader& r) {
  TextWrapSettings wrap;
  ReadWrapOptions(r, wrap);
  std::vector<std::string> words = r.Positional(2);
  if (r.problem || !ReadWrapMode(r, words.back(), wrap)) return *r.problem;
  words.pop_back();
  std::vector<UID> items = r.Items(words);
  if (r.problem) return *r.problem;
  return Done(ItemLookCmdUtils::SetWrap(&db, items, wrap));
}

Result NewObjectStyle(IDataBase& db, Reader& r) {
  ObjectStyle style;
  if (std::optional<std::string> based = r.Value("--based-on")) style.basedOn = r.Style(*based);
  ObjectStyleKind kind = ObjectStyleKind::kGeneral;
  if (std::optional<std::string> k = r.Value("--kind"); k && !ObjectStyleKindOfName(*k, kind))
    r.Usage("--kind takes text, graphic or general");
  ReadOption(r, style.attributes, "--fill", GraphicAttr::kFillColor);
  ReadOption(r, style.attributes, "--stroke-colour", GraphicAttr::kStrokeColor);
  ReadOption(r, style.attributes, "--stroke-weight", GraphicAttr::kStrokeWeight);
  for (const GraphicAttribute& a : style.attributes.Values())
    style.categories |= FindGraphicAttr(a.cls)->category;
  if (std::optional<std::string> mode = r.Value("--wrap")) {
    ReadWrapOptions(r, style.wrap);
    if (ReadWrapMode(r, *mode, style.wrap)) style.categories |= kTextWrapCategory;
  }
  std::vector<std::string> words = r.Positional(1);
  if (r.problem) return *r.problem;
  if (words.size() != 1) return Result::Usage("give one name");
  style.name = WideFromUtf8(words[0]);
  ObjectStyleID made = kInvalidObjectStyle;
  ErrorCode err = ItemLookCmdUtils::NewStyle(&db, style, kind, made);
  return Done(err, err == kSuccess ? std::to_string(made) + "\n" : "");
}

Result ApplyObjectStyle(IDataBase& db, Reader& r) {
  std::vector<std::string> words = r.Positional(2);
  if (r.problem) return *r.problem;
  ObjectStyleID style = r.Style(words.back());
  words.pop_back();
  std::vector<UID> items = r.Items(words);
  return r.problem ? *r.problem : Done(ItemLookCmdUtils::ApplyStyle(&db, items, style));
}

struct Operation {
  LayoutOperationInfo info;
  Result (*run)(IDataBase&, Reader&);
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {{"fill", "  fill ITEM... COLOUR|none [--tint T]   the items' fill: a swatch by name, or none\n"},
       Fill},
      {{"stroke",
        "  stroke ITEM... [--weight W] [--colour C] [--tint T] [--type NAME] [--align center|inside|\n"
        "         outside] [--cap butt|round|projecting] [--gap-colour C] [--gap-tint T] [--start END]\n"
        "         [--end END]           (a weight of 0 sets none of the others but cap and ends)\n"},
       Stroke},
      {{"corner", "  corner ITEM... none|fancy|bevel|inset|inverse-rounded|rounded SIZE\n"}, Corner},
      {{"wrap",
        "  wrap ITEM... none|bounding-box|jump|next-column|contour [--offsets T,L,B,R] [--invert]\n"
        "       [--side both|left|right|towards-spine|away-from-spine|largest]\n"},
       Wrap},
      {{"new-object-style",
        "  new-object-style NAME [--based-on STYLE] [--kind text|graphic|general] [--fill C]\n"
        "       [--stroke-colour C] [--stroke-weight W] [--wrap MODE [--offsets T,L,B,R]]\n"
        "                                  (based on the kind's default unless --based-on; prints its id)\n"},
       NewObjectStyle},
      {{"object-style", "  object-style ITEM... NAME       applies an object style to the items\n"},
       ApplyObjectStyle},
  };
  return operations;
}

class ItemLookOperations final : public CPMUnknown<ILayoutOperationProvider> {
 public:
  explicit ItemLookOperations(Boss* boss) : CPMUnknown(boss) {}
  std::vector<LayoutOperationInfo> GetOperations() const override {
    std::vector<LayoutOperationInfo> infos;
    for (const Operation& op : Operations())
      infos.push_back(op.info);
    return infos;
  }
  Result Run(IDataBase& db, std::string_view name, LayoutOperationWords& words) override {
    Reader reader(db, words);
    for (const Operation& op : Operations()) {
      if (op.info.name == name) return op.run(db, reader);
    }
    return Result::Usage("unknown operation");
  }
};

}  // namespace

ErrorCode RegisterItemLookOperations() {
  Registry& registry = Registry::Get();
  if (registry.IsClassRegistered(kItemLookOperationsBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<ItemLookOperations>(kItemLookOperationsImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kItemLookOperationsBoss, kInvalidClass, "kItemLookOperationsBoss",
                                   {{IID_ILAYOUTOPERATIONPROVIDER, kItemLookOperationsImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kLayoutOperationService, kItemLookOperationsBoss);
  return error;
}
