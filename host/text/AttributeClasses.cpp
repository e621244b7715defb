// The table of the host's text attribute classes and the registry that plug-ins add to.
#include "host/text/AttributeClasses.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "host/core/Registry.h"
#include "host/text/AttributeTagNames.h"
#include "host/text/TabStopList.h"

namespace {

struct Store {
  std::unordered_map<uint32_t, std::unique_ptr<AttributeClassInfo>> byClass;
  std::vector<const AttributeClassInfo*> order;
};

Store& GetStore() {
  static Store store;
  return store;
}

constexpr auto kChar = AttributeScope::kCharacter;
constexpr auto kPara = AttributeScope::kParagraph;
constexpr double kMax = kLargestMeasurement;

AttributeClassInfo Make(ClassID cls, const char* name, AttributeScope scope, AttributeKind kind, double min,
                        double max, AttributeValue def) {
  AttributeClassInfo info;
  info.cls = cls;
  info.name = name;
  info.scope = scope;
  info.kind = kind;
  info.min = min;
  info.max = max;
  info.defaultValue = std::move(def);
  return info;
}

AttributeClassInfo Bool(ClassID cls, const char* name, AttributeScope scope, bool def = false) {
  return Make(cls, name, scope, AttributeKind::kBool, 0, 1, def);
}
AttributeClassInfo Int16(ClassID cls, const char* name, AttributeScope scope, int16_t min, int16_t max,
                         int16_t def) {
  return Make(cls, name, scope, AttributeKind::kInt16, min, max, def);
}
AttributeClassInfo Enum(ClassID cls, const char* name, AttributeScope scope, int32_t last, int32_t def = 0) {
  return Make(cls, name, scope, AttributeKind::kEnum, 0, last, def);
}
AttributeClassInfo Real(ClassID cls, const char* name, AttributeScope scope, double min, double max,
                        double def) {
  return Make(cls, name, scope, AttributeKind::kReal, min, max, def);
}
// References to document objects default to none (0); the resources area points the root style at its own
// defaults (black swatch, default font, default language) when it sets up a document.
AttributeClassInfo Ref(ClassID cls, const char* name, AttributeScope scope) {
  return Make(cls, name, scope, AttributeKind::kUID, 0, 0, UID());
}

AttributeClassInfo TabStops() {
  AttributeClassInfo info = Make(kTextAttrTabStops, "tabStops", kPara, AttributeKind::kObject, 0, 0,
                                 ObjectRef(std::make_shared<TabStopList>()));
  info.makeObject = [] { return std::make_shared<TabStopList>(); };
  return info;
}

std::vector<AttributeClassInfo> CharacterClasses() {
  return {
      Ref(kTextAttrFillColor, "fillColor", kChar),
      Make(kTextAttrFontStyle, "fontStyle", kChar, AttributeKind::kString, 0, 0, WideString(u"Regular")),
      Real(kTextAttrPointSize, "pointSize", kChar, 0.1, 1296, 12),
      Real(kTextAttrHorizontalScale, "horizontalScale", kChar, 0.01, 10, 1),
      Make(kTextAttrKerningMethod, "kerningMethod", kChar, AttributeKind::kClassID, 0, 0, ClassID()),
      Bool(kTextAttrLigatures, "ligatures", kChar),
      Real(kTextAttrTracking, "tracking", kChar, -1, 10, 0),
      Real(kTextAttrBaselineShift, "baselineShift", kChar, -5000, 5000, 0),
      Enum(kTextAttrCapitalization, "capitalization", kChar, 3),
      Real(kTextAttrKerningValue, "kerningValue", kChar, -1, 10, 0),
      Real(kTextAttrVerticalScale, "verticalScale", kChar, 0.01, 10, 1),
      Real(kTextAttrLeading, "leading", kChar, kAutoLeading, 5000, kAutoLeading),
      Ref(kTextAttrLanguage, "language", kChar),
      Bool(kTextAttrNoBreak, "noBreak", kChar),
      Bool(kTextAttrUnderline, "underline", kChar),
      Ref(kTextAttrFontFamily, "fontFamily", kChar),
      Enum(kTextAttrFigureStyle, "figureStyle", kChar, 4, 4),
      Enum(kTextAttrPosition, "position", kChar, 6),
      Bool(kTextAttrStrikeThrough, "strikeThrough", kChar),
      Real(kTextAttrShade, "shade", kChar, -1, 100, 100),
      Bool(kTextAttrOrdinals, "ordinals", kChar),
      Bool(kTextAttrFractions, "fractions", kChar),
      Bool(kTextAttrDiscretionaryLigatures, "discretionaryLigatures", kChar),
      Bool(kTextAttrTitlingAlternates, "titlingAlternates", kChar),
      Int16(kTextAttrStylisticAlternates, "stylisticAlternates", kChar, 0, 32767, 0),
      Enum(kTextAttrPositionalForm, "positionalForm", kChar, 5),
      Bool(kTextAttrMarkPositioning, "markPositioning", kChar),
      Bool(kTextAttrLocalizedForms, "localizedForms", kChar),
      Bool(kTextAttrSlashedZero, "slashedZero", kChar),
      Make(kTextAttrStylisticSets, "stylisticSets", kChar, AttributeKind::kInt32, 0, 0x1FFFFE, int32_t{0}),
      Bool(kTextAttrHistoricalForms, "historicalForms", kChar),
      Bool(kTextAttrContextualAlternates, "contextualAlternates", kChar),
      Bool(kTextAttrSwash, "swash", kChar),
      Bool(kTextAttrItalicForms, "italicForms", kChar),
      Enum(kTextAttrPageNumberKind, "pageNumberKind", kChar, 2),
      Ref(kTextAttrTextAnchor, "textAnchor", kChar),
  };
}

std::vector<AttributeClassInfo> ParagraphClasses() {
  return {
      Int16(kTextAttrDropCapCharacters, "dropCapCharacters", kPara, 0, 150, 0),
      Int16(kTextAttrDropCapLines, "dropCapLines", kPara, 0, 25, 0),
      Real(kTextAttrLeftIndent, "leftIndent", kPara, 0, kMax, 0),
      Real(kTextAttrRightIndent, "rightIndent", kPara, 0, kMax, 0),
      Real(kTextAttrFirstLineIndent, "firstLineIndent", kPara, -kMax, kMax, 0),
      Real(kTextAttrSpaceBefore, "spaceBefore", kPara, 0, kMax, 0),
      Real(kTextAttrSpaceAfter, "spaceAfter", kPara, 0, kMax, 0),
      TabStops(),
      Bool(kTextAttrKeepAllLines, "keepAllLines", kPara),
      Int16(kTextAttrKeepWithNext, "keepWithNext", kPara, 0, 5, 0),
      Int16(kTextAttrKeepFirstLines, "keepFirstLines", kPara, 1, 50, 2),
      Int16(kTextAttrKeepLastLines, "keepLastLines", kPara, 1, 50, 2),
      Bool(kTextAttrKeepLinesTogether, "keepLinesTogether", kPara),
      Ref(kTextAttrRuleAboveColor, "ruleAboveColor", kPara),
      Real(kTextAttrRuleAboveWeight, "ruleAboveWeight", kPara, 0, 1080, 1),
      Real(kTextAttrRuleAboveTint, "ruleAboveTint", kPara, -1, 100, 100),
      Real(kTextAttrRuleAboveOffset, "ruleAboveOffset", kPara, -kMax, kMax, 0),
      Real(kTextAttrRuleAboveLeftIndent, "ruleAboveLeftIndent", kPara, -kMax, kMax, 0),
      Real(kTextAttrRuleAboveRightIndent, "ruleAboveRightIndent", kPara, -kMax, kMax, 0),
      Enum(kTextAttrRuleAboveWidthMode, "ruleAboveWidthMode", kPara, 1),
      Ref(kTextAttrRuleBelowColor, "ruleBelowColor", kPara),
      Real(kTextAttrRuleBelowWeight, "ruleBelowWeight", kPara, 0, 1080, 1),
      Real(kTextAttrRuleBelowTint, "ruleBelowTint", kPara, -1, 100, 100),
      Real(kTextAttrRuleBelowOffset, "ruleBelowOffset", kPara, -kMax, kMax, 0),
      Real(kTextAttrRuleBelowLeftIndent, "ruleBelowLeftIndent", kPara, -kMax, kMax, 0),
      Real(kTextAttrRuleBelowRightIndent, "ruleBelowRightIndent", kPara, -kMax, kMax, 0),
      Enum(kTextAttrRuleBelowWidthMode, "ruleBelowWidthMode", kPara, 1),
      Bool(kTextAttrRuleAboveOn, "ruleAboveOn", kPara),
      Bool(kTextAttrRuleBelowOn, "ruleBelowOn", kPara),
      Enum(kTextAttrBreakKind, "breakKind", kPara, 5),
      Ref(kTextAttrRuleAboveStrokeType, "ruleAboveStrokeType", kPara),
      Ref(kTextAttrRuleBelowStrokeType, "ruleBelowStrokeType", kPara),
      Enum(kTextAttrAlignment, "alignment", kPara, 9),
      Bool(kTextAttrLockToGrid, "lockToGrid", kPara),
  };
}

bool IsValidInfo(AttributeClassInfo& info) {
  if (!info.cls.IsValid() || info.name.empty()) return false;
  if (info.kind == AttributeKind::kObject) {
    if (!info.makeObject) return false;
    if (!ValueFitsKind(info.defaultValue, info.kind)) info.defaultValue = ObjectRef(info.makeObject());
  }
  return ValueFitsKind(info.defaultValue, info.kind);
}

}  // namespace

namespace AttributeClasses {

const AttributeClassInfo* Find(ClassID cls) {
  const auto& byClass = GetStore().byClass;
  auto it = byClass.find(cls.Get());
  return it == byClass.end() ? nullptr : it->second.get();
}

std::vector<const AttributeClassInfo*> All() {
  return GetStore().order;
}

ErrorCode Register(AttributeClassInfo info) {
  Store& store = GetStore();
  if (!IsValidInfo(info) || store.byClass.contains(info.cls.Get())) return kInvalidParameterError;
  Registry& registry = Registry::Get();
  if (!registry.IsClassRegistered(info.cls)) {
    ErrorCode err = registry.RegisterClass(info.cls, kInvalidClass, info.name,
                                           {{IID_ITEXTATTRIBUTE, kTextAttributeImpl}});
    if (err != kSuccess) return err;
  }
  auto owned = std::make_unique<AttributeClassInfo>(std::move(info));
  store.order.push_back(owned.get());
  store.byClass.emplace(owned->cls.Get(), std::move(owned));
  return kSuccess;
}

bool IsParagraphAttribute(ClassID cls) {
  const AttributeClassInfo* info = Find(cls);
  return info && info->scope == AttributeScope::kParagraph;
}

bool IsInRange(const AttributeClassInfo& info, const AttributeValue& value) {
  double number = 0;
  if (!info.HasRange() || !ValueAsNumber(value, number)) return true;
  double slack = info.kind == AttributeKind::kReal ? 1e-8 : 0;
  return number >= info.min - slack && number <= info.max + slack;
}

std::vector<const AttributeClassInfo*> TaggedTextClasses() {
  std::vector<const AttributeClassInfo*> capable;
  for (const AttributeClassInfo* info : GetStore().order)
    if (info->IsTaggedTextCapable()) capable.push_back(info);
  return capable;
}

const AttributeClassInfo* FindByTagName(std::string_view name) {
  for (const AttributeClassInfo* info : GetStore().order)
    if (info->IsTaggedTextCapable() && (info->longTag == name || info->shortTag == name)) return info;
  return nullptr;
}

ErrorCode RegisterHostClasses() {
  ErrorCode error = kSuccess;
  std::vector<AttributeClassInfo> all = CharacterClasses();
  std::vector<AttributeClassInfo> para = ParagraphClasses();
  all.insert(all.end(), std::make_move_iterator(para.begin()), std::make_move_iterator(para.end()));
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.cls < b.cls; });
  for (auto& info : all) {
    AttributeTagNames::Attach(info);
    if (error == kSuccess) error = Register(std::move(info));
  }
  return error;
}

}  // namespace AttributeClasses
