// Tag names and value routines of the host's text attributes in the host tagged-text dialect.
#include "host/text/AttributeTagNames.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "host/res/DocWorkspace.h"
#include "host/res/IDocFontList.h"
#include "host/res/IFontFamily.h"
#include "host/res/ILanguage.h"
#include "host/res/ILanguageList.h"
#include "host/res/IStrokeStyle.h"
#include "host/res/IStrokeStyleList.h"
#include "host/res/ISwatch.h"
#include "host/res/ISwatchList.h"
#include "host/res/ResIDs.h"
#include "host/text/ITextAttribute.h"
#include "host/text/TabStopList.h"

namespace {

// Longer text is no number the dialect writes; the cap keeps the conversion buffer on the stack.
constexpr size_t kMaxNumberLength = 40;

std::optional<double> ParseDecimal(std::u16string_view text) {
  if (text.empty() || text.size() > kMaxNumberLength) return std::nullopt;
  std::array<char, kMaxNumberLength> ascii{};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] > 0x7E) return std::nullopt;
    ascii[i] = static_cast<char>(text[i]);
  }
  double number = 0;
  const char* end = ascii.data() + text.size();
  auto [stop, ec] = std::from_chars(ascii.data(), end, number, std::chars_format::fixed);
  if (ec != std::errc() || stop != end || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<int32_t> ParseInteger(std::u16string_view text) {
  std::optional<double> number = ParseDecimal(text);
  if (!number || *number != std::trunc(*number) || std::abs(*number) > 2147483647.0) return std::nullopt;
  return static_cast<int32_t>(*number);
}

// At most four decimals, without trailing zeros.
WideString FormatDecimal(double number) {
  std::array<char, 400> buffer{};
  auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), number, std::chars_format::fixed, 4);
  if (ec != std::errc()) return u"0";
  std::string_view text(buffer.data(), static_cast<size_t>(end - buffer.data()));
  while (text.back() == '0')
    text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  if (text == "-0") text = "0";
  return WideString(text.begin(), text.end());
}

int32_t CheckRange(const AttributeClassInfo& info, double number) {
  if (!info.HasRange()) return kTagValueParsed;
  double slack = info.kind == AttributeKind::kReal ? 1e-8 : 0;
  if (number < info.min - slack) return kTagValueOutOfRange;
  if (number > info.max + slack) return kTagValueAboveRange;
  return kTagValueParsed;
}

// ---- Reals held in `kPerUnit` text units per stored unit (points 1, percent 100, thousandths of an em
// 1000).
template <int kPerUnit>
int32_t ParseReal(const AttributeClassInfo& info, const IDataBase*, std::u16string_view text,
                  AttributeValue& value) {
  std::optional<double> number = ParseDecimal(text);
  if (!number) return kTagValueMalformed;
  double stored = *number / kPerUnit;
  if (int32_t range = CheckRange(info, stored)) return range;
  value = stored;
  return kTagValueParsed;
}

template <int kPerUnit>
WideString WriteReal(const IDataBase*, const AttributeValue& value) {
  const double* number = std::get_if<double>(&value);
  return number ? FormatDecimal(*number * kPerUnit) : WideString();
}

int32_t ParseLeading(const AttributeClassInfo& info, const IDataBase* db, std::u16string_view text,
                     AttributeValue& value) {
  if (text == u"auto") {
    value = kAutoLeading;
    return kTagValueParsed;
  }
  if (!text.starts_with(u'+')) return ParseReal<1>(info, db, text, value);
  std::optional<double> relative = ParseDecimal(text.substr(1));
  if (!relative || *relative < 0) return kTagValueMalformed;
  if (int32_t range = CheckRange(info, *relative + kRelativeLeadingBase)) return range;
  value = *relative + kRelativeLeadingBase;
  return kTagValueParsed;
}

WideString WriteLeading(const IDataBase* db, const AttributeValue& value) {
  const double* number = std::get_if<double>(&value);
  if (!number) return {};
  if (*number == kAutoLeading) return u"auto";
  if (*number >= kRelativeLeadingBase) return u"+" + FormatDecimal(*number - kRelativeLeadingBase);
  return WriteReal<1>(db, value);
}

int32_t ParseKerning(const AttributeClassInfo& info, const IDataBase* db, std::u16string_view text,
                     AttributeValue& value) {
  if (text != u"method") return ParseReal<1000>(info, db, text, value);
  value = kKerningByMethod;
  return kTagValueParsed;
}

WideString WriteKerning(const IDataBase* db, const AttributeValue& value) {
  const double* number = std::get_if<double>(&value);
  if (number && *number == kKerningByMethod) return u"method";
  return WriteReal<1000>(db, value);
}

// ---- Integers: on/off, 16- and 32-bit numbers, enumerations.
int32_t ParseBool(const AttributeClassInfo&, const IDataBase*, std::u16string_view text,
                  AttributeValue& value) {
  if (text != u"0" && text != u"1") return kTagValueMalformed;
  value = text == u"1";
  return kTagValueParsed;
}

WideString WriteBool(const IDataBase*, const AttributeValue& value) {
  const bool* on = std::get_if<bool>(&value);
  return on ? WideString(*on ? u"1" : u"0") : WideString();
}

int32_t ParseInt(const AttributeClassInfo& info, const IDataBase*, std::u16string_view text,
                 AttributeValue& value) {
  std::optional<int32_t> number = ParseInteger(text);
  if (!number) return kTagValueMalformed;
  if (int32_t range = CheckRange(info, *number)) return range;
  if (info.kind == AttributeKind::kInt16) {
    if (*number < INT16_MIN || *number > INT16_MAX)
      return *number < 0 ? kTagValueOutOfRange : kTagValueAboveRange;
    value = static_cast<int16_t>(*number);
  } else {
    value = *number;
  }
  return kTagValueParsed;
}

WideString WriteInt(const IDataBase*, const AttributeValue& value) {
  double number = 0;
  if (std::holds_alternative<bool>(value) || !ValueAsNumber(value, number)) return {};
  return FormatDecimal(number);
}

// ---- Text as it is.
int32_t ParseText(const AttributeClassInfo&, const IDataBase*, std::u16string_view text,
                  AttributeValue& value) {
  if (text.empty()) return kTagValueMalformed;
  value = WideString(text);
  return kTagValueParsed;
}

WideString WriteText(const IDataBase*, const AttributeValue& value) {
  const WideString* text = std::get_if<WideString>(&value);
  return text ? *text : WideString();
}

// ---- Document objects by name: a list on the document's workspace finds the name; the object tells it.
template <class List, UID (List::*kFind)(const WideString&) const>
int32_t ParseName(const AttributeClassInfo&, const IDataBase* db, std::u16string_view text,
                  AttributeValue& value) {
  if (text.empty()) return kTagValueMalformed;
  InterfacePtr<List> list = QueryDocWorkspace<List>(db);
  UID found = list ? (list.get()->*kFind)(WideString(text)) : kInvalidUID;
  if (!found.IsValid()) return kTagValueUnknownName;
  value = found;
  return kTagValueParsed;
}

template <class Object, WideString (Object::*kName)() const>
WideString WriteName(const IDataBase* db, const AttributeValue& value) {
  const UID* uid = std::get_if<UID>(&value);
  if (!uid || !uid->IsValid()) return {};
  InterfacePtr<Object> object = Instantiate<Object>(db, *uid);
  return object ? (object.get()->*kName)() : WideString();
}

constexpr auto ParseSwatch = ParseName<ISwatchList, &ISwatchList::FindSwatch>;
constexpr auto WriteSwatch = WriteName<ISwatch, &ISwatch::GetName>;
constexpr auto ParseFamily = ParseName<IDocFontList, &IDocFontList::FindFamily>;
constexpr auto WriteFamily = WriteName<IFontFamily, &IFontFamily::GetFamilyName>;
constexpr auto ParseLanguage = ParseName<ILanguageList, &ILanguageList::FindLanguage>;
constexpr auto WriteLanguage = WriteName<ILanguage, &ILanguage::GetName>;
constexpr auto ParseStrokeStyle = ParseName<IStrokeStyleList, &IStrokeStyleList::FindStrokeStyle>;
constexpr auto WriteStrokeStyle = WriteName<IStrokeStyle, &IStrokeStyle::GetName>;

// ---- Kerning method.
int32_t ParseKerningMethod(const AttributeClassInfo&, const IDataBase*, std::u16string_view text,
                           AttributeValue& value) {
  if (text == u"Metrics" || text == u"Optical") {
    value = text == u"Metrics" ? kMetricsKerningMethodBoss : kOpticalKerningMethodBoss;
    return kTagValueParsed;
  }
  if (!text.starts_with(u"0x") || text.size() < 3 || text.size() > 10) return kTagValueMalformed;
  uint32_t number = 0;
  for (char16_t c : text.substr(2)) {
    int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                         : -1;
    if (digit < 0) return kTagValueMalformed;
    number = number * 16 + static_cast<uint32_t>(digit);
  }
  value = ClassID(number);
  return kTagValueParsed;
}

WideString WriteKerningMethod(const IDataBase*, const AttributeValue& value) {
  const ClassID* cls = std::get_if<ClassID>(&value);
  if (!cls) return {};
  if (*cls == kMetricsKerningMethodBoss) return u"Metrics";
  if (*cls == kOpticalKerningMethodBoss) return u"Optical";
  std::array<char, 16> buffer{'0', 'x'};
  auto [end, ec] = std::to_chars(buffer.data() + 2, buffer.data() + buffer.size(), cls->Get(), 16);
  return WideString(buffer.data(), end);
}

// ---- Tab stops.
constexpr std::u16string_view kTabAlignments = u"LCRA";

bool NeedsEscape(char16_t c) {
  return c < 0x20 || c == u'%' || c == u',' || c == u';' || c == u'<' || c == u'>' || c == u'\\';
}

void AppendEscaped(WideString& out, std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  for (char16_t c : text) {
    if (!NeedsEscape(c)) {
      out += c;
      continue;
    }
    out += u'%';
    for (int shift = 12; shift >= 0; shift -= 4)
      out += kHex[(c >> shift) & 0xF];
  }
}

std::optional<WideString> Unescape(std::u16string_view text) {
  WideString out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') {
      out += text[i];
      continue;
    }
    if (i + 4 >= text.size()) return std::nullopt;
    char16_t unit = 0;
    for (size_t k = 1; k <= 4; ++k) {
      char16_t c = text[i + k];
      int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : -1;
      if (digit < 0) return std::nullopt;
      unit = static_cast<char16_t>(unit * 16 + digit);
    }
    out += unit;
    i += 4;
  }
  return out;
}

// Splits at `separator`; the last piece runs to the end when `limit` pieces are reached.
std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator, size_t limit) {
  std::vector<std::u16string_view> pieces;
  while (pieces.size() + 1 < limit) {
    size_t at = text.find(separator);
    if (at == std::u16string_view::npos) break;
    pieces.push_back(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
  pieces.push_back(text);
  return pieces;
}

std::optional<TabStop> ParseTabStop(std::u16string_view text) {
  std::vector<std::u16string_view> fields = Split(text, u',', 4);
  if (fields.size() != 4 || fields[1].size() != 1) return std::nullopt;
  std::optional<double> position = ParseDecimal(fields[0]);
  size_t alignment = kTabAlignments.find(fields[1][0]);
  std::optional<WideString> character = Unescape(fields[2]);
  std::optional<WideString> leader = Unescape(fields[3]);
  if (!position || alignment == std::u16string_view::npos || !character || character->size() > 1 || !leader)
    return std::nullopt;
  TabStop stop;
  stop.position = *position;
  stop.alignment = static_cast<TabAlignment>(alignment);
  if (!character->empty()) stop.alignCharacter = (*character)[0];
  stop.leader = *leader;
  return stop;
}

int32_t ParseTabStops(const AttributeClassInfo&, const IDataBase*, std::u16string_view text,
                      AttributeValue& value) {
  auto list = std::make_shared<TabStopList>();
  if (text.empty()) return kTagValueMalformed;
  if (text != u";") {
    for (std::u16string_view piece : Split(text, u';', TabStopList::kMaxStops + 1)) {
      std::optional<TabStop> stop = ParseTabStop(piece);
      if (!stop) return kTagValueMalformed;
      if (stop->position < 0) return kTagValueOutOfRange;
      if (stop->position > kLargestMeasurement || list->size() == TabStopList::kMaxStops)
        return kTagValueAboveRange;
      if (!list->Add(*stop)) return kTagValueMalformed;
    }
  }
  value = ObjectRef(std::move(list));
  return kTagValueParsed;
}

// An empty table is written ";", since an empty value removes the attribute.
WideString WriteTabStops(const IDataBase*, const AttributeValue& value) {
  const ObjectRef* object = std::get_if<ObjectRef>(&value);
  const auto* list = object ? dynamic_cast<const TabStopList*>(object->get()) : nullptr;
  if (!list) return {};
  if (list->empty()) return u";";
  WideString out;
  for (const TabStop& stop : list->Stops()) {
    if (!out.empty()) out += u';';
    out += FormatDecimal(stop.position);
    out += u',';
    out += kTabAlignments[static_cast<size_t>(stop.alignment)];
    out += u',';
    AppendEscaped(out, std::u16string_view(&stop.alignCharacter, 1));
    out += u',';
    AppendEscaped(out, stop.leader);
  }
  return out;
}

// ---- The table of names.
struct Routines {
  TagParseFn parse;
  TagWriteFn write;
};

struct TagRow {
  ClassID cls;
  const char* longTag;
  const char* shortTag;
  TagParseFn parse;
  TagWriteFn write;
};

// Reals in the unit they are held in: points, or percent for shades and tints.
constexpr auto kReal = Routines{ParseReal<1>, WriteReal<1>};
constexpr auto kPercent = Routines{ParseReal<100>, WriteReal<100>};
constexpr auto kThousandths = Routines{ParseReal<1000>, WriteReal<1000>};
constexpr auto kOnOff = Routines{ParseBool, WriteBool};
constexpr auto kNumber = Routines{ParseInt, WriteInt};
constexpr auto kSwatch = Routines{ParseSwatch, WriteSwatch};
constexpr auto kStroke = Routines{ParseStrokeStyle, WriteStrokeStyle};

TagRow Row(ClassID cls, const char* longTag, const char* shortTag, Routines routines) {
  return {cls, longTag, shortTag, routines.parse, routines.write};
}

// Character attributes begin with "c", paragraph attributes with "p"; no name is one of the dialect's own
// keywords (ParaStyle, cstyle, clStart ...).
const std::vector<TagRow>& Rows() {
  static const std::vector<TagRow> rows = {
      Row(kTextAttrFillColor, "cColor", "cc", kSwatch),
      Row(kTextAttrFontStyle, "cTypeface", "ct", Routines{ParseText, WriteText}),
      Row(kTextAttrPointSize, "cSize", "cs", kReal),
      Row(kTextAttrHorizontalScale, "cHorizontalScale", "chs", kPercent),
      Row(kTextAttrKerningMethod, "cKerningMethod", "ckm", Routines{ParseKerningMethod, WriteKerningMethod}),
      Row(kTextAttrLigatures, "cLigatures", "clig", kOnOff),
      Row(kTextAttrTracking, "cTracking", "ctr", kThousandths),
      Row(kTextAttrBaselineShift, "cBaselineShift", "cbs", kReal),
      Row(kTextAttrCapitalization, "cCapitalization", "ccap", kNumber),
      Row(kTextAttrKerningValue, "cKerning", "ck", Routines{ParseKerning, WriteKerning}),
      Row(kTextAttrVerticalScale, "cVerticalScale", "cvs", kPercent),
      Row(kTextAttrLeading, "cLeading", "cl", Routines{ParseLeading, WriteLeading}),
      Row(kTextAttrLanguage, "cLanguage", "clang", Routines{ParseLanguage, WriteLanguage}),
      Row(kTextAttrNoBreak, "cNoBreak", "cnb", kOnOff),
      Row(kTextAttrUnderline, "cUnderline", "cu", kOnOff),
      Row(kTextAttrFontFamily, "cFont", "cf", Routines{ParseFamily, WriteFamily}),
      Row(kTextAttrFigureStyle, "cFigureStyle", "cfig", kNumber),
      Row(kTextAttrPosition, "cPosition", "cpos", kNumber),
      Row(kTextAttrStrikeThrough, "cStrikethrough", "cst", kOnOff),
      Row(kTextAttrShade, "cShade", "csh", kReal),
      Row(kTextAttrOrdinals, "cOrdinals", "cord", kOnOff),
      Row(kTextAttrFractions, "cFractions", "cfrac", kOnOff),
      Row(kTextAttrDiscretionaryLigatures, "cDiscretionaryLigatures", "cdlig", kOnOff),
      Row(kTextAttrTitlingAlternates, "cTitling", "ctitl", kOnOff),
      Row(kTextAttrStylisticAlternates, "cStylisticAlternates", "csalt", kNumber),
      Row(kTextAttrPositionalForm, "cPositionalForm", "cpf", kNumber),
      Row(kTextAttrMarkPositioning, "cMarkPositioning", "cmark", kOnOff),
      Row(kTextAttrLocalizedForms, "cLocalizedForms", "clocl", kOnOff),
      Row(kTextAttrSlashedZero, "cSlashedZero", "czero", kOnOff),
      Row(kTextAttrStylisticSets, "cStylisticSets", "css", kNumber),
      Row(kTextAttrHistoricalForms, "cHistorical", "chist", kOnOff),
      Row(kTextAttrContextualAlternates, "cContextualAlternates", "ccalt", kOnOff),
      Row(kTextAttrSwash, "cSwash", "cswsh", kOnOff),
      Row(kTextAttrItalicForms, "cItalicForms", "cital", kOnOff),
      Row(kTextAttrDropCapCharacters, "pDropCapCharacters", "pdcc", kNumber),
      Row(kTextAttrDropCapLines, "pDropCapLines", "pdcl", kNumber),
      Row(kTextAttrLeftIndent, "pLeftIndent", "pli", kReal),
      Row(kTextAttrRightIndent, "pRightIndent", "pri", kReal),
      Row(kTextAttrFirstLineIndent, "pFirstLineIndent", "pfli", kReal),
      Row(kTextAttrSpaceBefore, "pSpaceBefore", "psb", kReal),
      Row(kTextAttrSpaceAfter, "pSpaceAfter", "psa", kReal),
      Row(kTextAttrTabStops, "pTabStops", "ptabs", Routines{ParseTabStops, WriteTabStops}),
      Row(kTextAttrKeepAllLines, "pKeepAllLines", "pkal", kOnOff),
      Row(kTextAttrKeepWithNext, "pKeepWithNext", "pkwn", kNumber),
      Row(kTextAttrKeepFirstLines, "pKeepFirstLines", "pkfl", kNumber),
      Row(kTextAttrKeepLastLines, "pKeepLastLines", "pkll", kNumber),
      Row(kTextAttrKeepLinesTogether, "pKeepLinesTogether", "pklt", kOnOff),
      Row(kTextAttrRuleAboveOn, "pRuleAbove", "pra", kOnOff),
      Row(kTextAttrRuleAboveColor, "pRuleAboveColor", "prac", kSwatch),
      Row(kTextAttrRuleAboveWeight, "pRuleAboveWeight", "praw", kReal),
      Row(kTextAttrRuleAboveTint, "pRuleAboveTint", "prat", kReal),
      Row(kTextAttrRuleAboveOffset, "pRuleAboveOffset", "prao", kReal),
      Row(kTextAttrRuleAboveLeftIndent, "pRuleAboveLeftIndent", "pral", kReal),
      Row(kTextAttrRuleAboveRightIndent, "pRuleAboveRightIndent", "prar", kReal),
      Row(kTextAttrRuleAboveWidthMode, "pRuleAboveWidth", "pram", kNumber),
      Row(kTextAttrRuleAboveStrokeType, "pRuleAboveStroke", "pras", kStroke),
      Row(kTextAttrRuleBelowOn, "pRuleBelow", "prb", kOnOff),
      Row(kTextAttrRuleBelowColor, "pRuleBelowColor", "prbc", kSwatch),
      Row(kTextAttrRuleBelowWeight, "pRuleBelowWeight", "prbw", kReal),
      Row(kTextAttrRuleBelowTint, "pRuleBelowTint", "prbt", kReal),
      Row(kTextAttrRuleBelowOffset, "pRuleBelowOffset", "prbo", kReal),
      Row(kTextAttrRuleBelowLeftIndent, "pRuleBelowLeftIndent", "prbl", kReal),
      Row(kTextAttrRuleBelowRightIndent, "pRuleBelowRightIndent", "prbr", kReal),
      Row(kTextAttrRuleBelowWidthMode, "pRuleBelowWidth", "prbm", kNumber),
      Row(kTextAttrRuleBelowStrokeType, "pRuleBelowStroke", "prbs", kStroke),
      Row(kTextAttrBreakKind, "pBreak", "pbr", kNumber),
      Row(kTextAttrAlignment, "pAlignment", "pal", kNumber),
      Row(kTextAttrLockToGrid, "pLockToGrid", "pgrid", kOnOff),
  };
  return rows;
}

}  // namespace

namespace AttributeTagNames {

void Attach(AttributeClassInfo& info) {
  for (const TagRow& row : Rows()) {
    if (row.cls != info.cls) continue;
    info.longTag = row.longTag;
    info.shortTag = row.shortTag;
    info.parse = row.parse;
    info.write = row.write;
    return;
  }
}

}  // namespace AttributeTagNames
