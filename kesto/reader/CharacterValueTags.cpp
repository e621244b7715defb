// Character tags with a value: font, family and face, size, colour, shade, scales, kerning (by value or by
// method), tracking, baseline shift, leading and language. Each reads its parameter with the number or
// string reader; "$" falls back to D2, or removes the override so that the style shows through.
#include <algorithm>
#include <array>

#include "kesto/reader/CharacterTagSupport.h"
#include "kesto/reader/ColorNames.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

// A font name in an error report is cut to this many units, then marked with an ellipsis.
constexpr size_t kReportedFontNameUnits = 26;
constexpr char16_t kEllipsis = 0x2026;
// Kerning-method names are shorter than this.
constexpr size_t kMaxKerningMethodName = 64;
// What a size is taken as when neither the character nor the paragraph side holds one.
constexpr double kFallbackPointSize = 12;

constexpr double kMinPointSize = 2;
constexpr double kMaxPointSize = 720;
constexpr double kMaxTrackOrKern = 2000;
constexpr double kMinTrackOrKern = -200;
constexpr double kMaxShiftFactor = 3;
constexpr double kMaxLeading = 5000;
constexpr int32_t kMaxLanguageNumber = 21;

bool IsQuote(int32_t c) {
  return c == '"' || c == 0x201C || c == 0x201D;
}

// The scanner error for a setter that failed with the manager's last error.
int32_t SetterError(const K2AttributeSetMgr& manager) {
  return manager.GetLastError() == kAttrOutOfRange ? kScanValueOutOfRange : kScanInternalError;
}

void Check(KestoScanner& scanner, const K2AttributeSetMgr& target, bool ok) {
  if (!ok) scanner.SetError(SetterError(target));
}

// ---- Number tags.

using Getter = bool (*)(const K2AttributeSetMgr&, double&);
using Setter = bool (*)(K2AttributeSetMgr&, double);

struct NumberTag {
  std::u16string_view name;
  uint32_t flags;
  double minimum;
  double maximum;
  Getter get;
  Setter set;
  // Overrides removed by "$" when D2 holds no value.
  std::array<ClassID, 2> cleared;
  // The value relative forms start from when no side holds one.
  double fallback = 0;
};

// The value in force: the character target's, else the paragraph target's, else `fallback`.
double CurrentValue(KestoScanner& scanner, Getter get, double fallback) {
  double value = fallback;
  if (get(scanner.CharacterTarget(), value)) return value;
  if (const K2AttributeSetMgr* paragraph = scanner.ParagraphTarget(); paragraph && get(*paragraph, value))
    return value;
  return fallback;
}

void ApplyDefault(KestoScanner& scanner, const NumberTag& tag) {
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  double value = 0;
  if (const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2(); d2 && tag.get(*d2, value)) {
    Check(scanner, target, tag.set(target, value));
    return;
  }
  for (ClassID cls : tag.cleared) {
    if (cls.IsValid()) (void)target.ClearOverride(cls);
  }
}

// Reads the tag's number into `value` (which holds the value in force). Answers true when a value was read;
// "$" has been applied and errors set when it answers false.
bool ReadValue(KestoScanner& scanner, const NumberTag& tag, double& value) {
  scanner.GetTagName().Set(tag.name);
  int32_t result = scanner.Params().ReadNumber(value, tag.flags, tag.minimum, tag.maximum);
  if (result == kNumberDefault) {
    ApplyDefault(scanner, tag);
    return false;
  }
  if (result != 0) {
    scanner.SetError(result);
    return false;
  }
  return true;
}

void ReadNumberTag(KestoScanner& scanner, const NumberTag& tag) {
  double value = CurrentValue(scanner, tag.get, tag.fallback);
  if (!ReadValue(scanner, tag, value)) return;
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  Check(scanner, target, tag.set(target, value));
}

bool GetPointSize(const K2AttributeSetMgr& m, double& v) {
  return m.GetReal(kTextAttrPointSize, v);
}
bool SetPointSize(K2AttributeSetMgr& m, double v) {
  return m.SetReal(kTextAttrPointSize, v);
}
bool GetShade(const K2AttributeSetMgr& m, double& v) {
  return m.GetShade(v);
}
bool SetShade(K2AttributeSetMgr& m, double v) {
  return m.SetShade(v);
}
bool GetTracking(const K2AttributeSetMgr& m, double& v) {
  return m.GetTracking(v);
}
bool SetTracking(K2AttributeSetMgr& m, double v) {
  return m.SetTracking(v);
}
bool GetKerning(const K2AttributeSetMgr& m, double& v) {
  return m.GetKerning(v);
}
bool SetKerning(K2AttributeSetMgr& m, double v) {
  return m.SetKerning(v);
}
bool GetBaselineShift(const K2AttributeSetMgr& m, double& v) {
  return m.GetReal(kTextAttrBaselineShift, v);
}
bool SetBaselineShift(K2AttributeSetMgr& m, double v) {
  return m.SetReal(kTextAttrBaselineShift, v);
}
bool GetLeading(const K2AttributeSetMgr& m, double& v) {
  Leading leading;
  if (!m.GetLeading(leading)) return false;
  v = leading.value;
  return true;
}
bool SetLeading(K2AttributeSetMgr& m, double v) {
  return m.SetLeading(v, false);
}

constexpr uint32_t kRelativeOrDefault = kNumberRelative | kNumberDefaultAllowed;

const NumberTag kSize{u"z",
                      kRelativeOrDefault,
                      kMinPointSize,
                      kMaxPointSize,
                      &GetPointSize,
                      &SetPointSize,
                      {kTextAttrPointSize, ClassID()}};
const NumberTag kShade{
    u"s", kNumberPercentage | kRelativeOrDefault, 0, 1, &GetShade, &SetShade, {kTextAttrShade, ClassID()}};
const NumberTag kTracking{
    u"t",         kNumberPlain | kRelativeOrDefault, kMinTrackOrKern, kMaxTrackOrKern, &GetTracking,
    &SetTracking, {kTextAttrTracking, ClassID()}};
const NumberTag kKerning{u"k",
                         kNumberPlain | kRelativeOrDefault,
                         kMinTrackOrKern,
                         kMaxTrackOrKern,
                         &GetKerning,
                         &SetKerning,
                         {kTextAttrKerningValue, kTextAttrKerningMethod}};
const NumberTag kLeading{u"&L",       kRelativeOrDefault,           0, kMaxLeading, &GetLeading,
                         &SetLeading, {kTextAttrLeading, ClassID()}};

void SizeTag(KestoScanner& scanner, int32_t) {
  ReadNumberTag(scanner, kSize);
}
void ShadeTag(KestoScanner& scanner, int32_t) {
  ReadNumberTag(scanner, kShade);
}
void TrackingTag(KestoScanner& scanner, int32_t) {
  ReadNumberTag(scanner, kTracking);
}

// <kN> by value, <k"name"> by kerning method.
void KerningTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"k");
  int32_t c = scanner.NextChar();
  if (c != ScannerInput::kEnd) scanner.PushBack();
  if (!IsQuote(c)) {
    ReadNumberTag(scanner, kKerning);
    return;
  }
  int32_t result = scanner.Params().ReadString();
  if (result != 0) {
    scanner.SetError(result);
    return;
  }
  const std::u16string& name = scanner.Params().GetText();
  if (name.size() >= kMaxKerningMethodName) {
    scanner.SetError(kScanStringTooLong);
    return;
  }
  if (!scanner.CharacterTarget().SetKerningMethod(WideString(name)))
    scanner.SetError(kScanNoSuchKerningMethod);
}

// <&LA> is automatic leading; otherwise a number.
void LeadingTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&L");
  int32_t c = scanner.NextChar();
  if (c == 'A' || c == 'a') {
    K2AttributeSetMgr& target = scanner.CharacterTarget();
    Check(scanner, target, target.SetLeading(0, false));
    return;
  }
  if (c != ScannerInput::kEnd) scanner.PushBack();
  ReadNumberTag(scanner, kLeading);
}

// ---- Scales: <hN>, <yN>, <&hN>.

void ReadScale(KestoScanner& scanner, std::u16string_view name, bool vertical, double minimum) {
  scanner.GetTagName().Set(name);
  // The two axes share one reading: a scale in force on the other axis counts as 100 %.
  double value = 1;
  bool axis = false;
  if (scanner.CharacterTarget().GetScale(axis, value) ||
      (scanner.ParagraphTarget() && scanner.ParagraphTarget()->GetScale(axis, value))) {
    if (axis != vertical) value = 1;
  }
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  int32_t result = scanner.Params().ReadNumber(value, kNumberPercentage | kRelativeOrDefault, minimum, 4);
  if (result == kNumberDefault) {
    const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2();
    if (d2 && d2->GetScale(axis, value)) {
      Check(scanner, target, target.SetScale(axis, value));
    } else {
      (void)target.ClearOverride(kTextAttrHorizontalScale);
      (void)target.ClearOverride(kTextAttrVerticalScale);
    }
    return;
  }
  if (result != 0) {
    scanner.SetError(result);
    return;
  }
  Check(scanner, target, target.SetScale(vertical, value));
}

void ScaleTag(KestoScanner& scanner, int32_t c) {
  ReadScale(scanner, c == 'h' ? u"h" : u"y", c == 'y', 0.25);
}

void ExtensionScaleTag(KestoScanner& scanner, int32_t) {
  ReadScale(scanner, u"&h", false, 0);
}

// ---- Baseline shift: <bN> in points, <brN> as a share of the point size.

void BaselineShiftTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  bool relativeToSize = c == 'r';
  if (!relativeToSize && c != ScannerInput::kEnd) scanner.PushBack();
  double size = CurrentValue(scanner, &GetPointSize, kFallbackPointSize);
  NumberTag tag{u"b",
                kNumberDefaultAllowed,
                -kMaxShiftFactor * size,
                kMaxShiftFactor * size,
                &GetBaselineShift,
                &SetBaselineShift,
                {kTextAttrBaselineShift, ClassID()}};
  if (relativeToSize) {
    tag.name = u"br";
    tag.flags |= kNumberPercentage;
    tag.minimum = -kMaxShiftFactor;
    tag.maximum = kMaxShiftFactor;
  }
  double value = CurrentValue(scanner, &GetBaselineShift, 0);
  if (!ReadValue(scanner, tag, value)) return;
  if (relativeToSize) value *= size;
  // Files of version 0 and below measured the shift downwards.
  if (!relativeToSize && scanner.GetVersion() <= 0) value = -value;
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  Check(scanner, target, target.SetReal(kTextAttrBaselineShift, value));
}

// ---- Language: <nN> by its legacy number.

void LanguageTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"n");
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  int32_t number = 0;
  if (!target.GetLanguage(number) && scanner.ParagraphTarget())
    (void)scanner.ParagraphTarget()->GetLanguage(number);
  int32_t result = scanner.Params().ReadInteger(number, kNumberDefaultAllowed, 0, kMaxLanguageNumber);
  if (result == kNumberDefault) {
    UID language;
    const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2();
    if (d2 && d2->GetUID(kTextAttrLanguage, language) && language.IsValid())
      Check(scanner, target, target.SetUID(kTextAttrLanguage, language));
    else
      (void)target.ClearOverride(kTextAttrLanguage);
    return;
  }
  if (result != 0) {
    scanner.SetError(result);
    return;
  }
  if (!target.SetLanguage(number)) scanner.SetError(kScanNoSuchLanguage);
}

// ---- Colour: <cNAME>.

// A colour name is quoted, or runs up to the end of the tag group, a blank or a line end: <cBleu>.
int32_t ReadColorName(KestoScanner& scanner, std::u16string& name) {
  int32_t c = scanner.NextChar();
  if (c != ScannerInput::kEnd) scanner.PushBack();
  name.clear();
  if (!IsQuote(c) && c != '$' && c != '\\' && c != ' ' && c != '\t' && c != '>' && c != 0x0D &&
      c != ScannerInput::kEnd) {
    for (c = scanner.NextChar(); c != ScannerInput::kEnd; c = scanner.NextChar()) {
      if (c == '>' || c == ' ' || c == '\t' || c == 0x0D || c == '<') {
        scanner.PushBack();
        break;
      }
      if (name.size() >= TagParameterReader::kMaxTextUnits) return kScanStringTooLong;
      if (c > 0xFFFF) {
        name.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        name.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
      } else if (c >= 0x20) {
        name.push_back(static_cast<char16_t>(c));
      }
    }
    return 0;
  }
  int32_t result = scanner.Params().ReadString();
  if (result == 0) name = scanner.Params().GetText();
  return result;
}

void ColorTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"c");
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  std::u16string name;
  int32_t result = ReadColorName(scanner, name);
  if (result == TagParameterReader::kDefault) {
    UID swatch;
    const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2();
    if (d2 && d2->GetUID(kTextAttrFillColor, swatch) && swatch.IsValid())
      Check(scanner, target, target.SetUID(kTextAttrFillColor, swatch));
    else
      (void)target.ClearOverride(kTextAttrFillColor);
    return;
  }
  if (result != 0) {
    scanner.SetError(result);
    return;
  }
  VyColorDesc spec;
  if (!ColorSpecFromName(target.GetDocument(), name, spec) || !target.SetColor(spec))
    scanner.SetError(kScanNoSuchColor);
}

// ---- Fonts: <fNAME>, <ffNAME>, <fsNAME>.

// A failed font tag names the font it was given: f"Name", the name cut to 26 units and an ellipsis.
void NameFontInReport(KestoScanner& scanner, std::u16string_view tag) {
  if (scanner.GetError() == 0) return;
  std::u16string_view name = scanner.Params().GetText();
  TagName& reported = scanner.GetTagName();
  reported.Set(tag);
  reported.Append(u"\"");
  if (name.size() > kReportedFontNameUnits) {
    reported.Append(name.substr(0, kReportedFontNameUnits));
    reported.AppendChar(kEllipsis);
  } else {
    reported.Append(name);
  }
  reported.Append(u"\"");
}

int32_t FontError(const K2AttributeSetMgr& target) {
  return target.GetLastError() == kAttrMissingFace ? kScanMissingFont : kScanNoSuchFont;
}

void FullFont(KestoScanner& scanner, int32_t result) {
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  const K2AttributeSetMgr* base = scanner.TypeStyleBase();
  if (result == TagParameterReader::kDefault) {
    VyFontDesc font;
    const DefaultSnapshots& defaults = scanner.GetDefaults();
    bool found = (defaults.D2() && defaults.D2()->GetFont(font)) || defaults.D1().GetFont(font);
    if (found && !target.SetFont(font.family, font.face, base) && target.GetLastError() != kAttrMissingFace)
      scanner.SetError(kScanNoSuchFont);
    if (!found) {
      (void)target.ClearOverride(kTextAttrFontFamily);
      (void)target.ClearOverride(kTextAttrFontStyle);
    }
    return;
  }
  if (!target.SetFontByName(WideString(scanner.Params().GetText()), base))
    scanner.SetError(FontError(target));
}

// "$" for a family or a face: D2's, else the override is removed.
void FontPartDefault(KestoScanner& scanner, ClassID cls) {
  K2AttributeSetMgr& target = scanner.CharacterTarget();
  const K2AttributeSetMgr* d2 = scanner.GetDefaults().D2();
  InterfacePtr<ITextAttribute> held = d2 ? d2->FindAttribute(cls) : InterfacePtr<ITextAttribute>();
  if (held)
    Check(scanner, target, target.SetAttribute(held.get()));
  else
    (void)target.ClearOverride(cls);
}

void FontTag(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  std::u16string_view tag = u"f";
  if (c == 'f' || c == 's')
    tag = c == 'f' ? u"ff" : u"fs";
  else if (c != ScannerInput::kEnd)
    scanner.PushBack();
  scanner.GetTagName().Set(tag);
  int32_t result = scanner.Params().ReadString();
  if (result > 0) {
    scanner.SetError(result);
  } else if (tag == u"f") {
    FullFont(scanner, result);
  } else {
    ClassID cls = tag == u"ff" ? kTextAttrFontFamily : kTextAttrFontStyle;
    K2AttributeSetMgr& target = scanner.CharacterTarget();
    WideString name(scanner.Params().GetText());
    if (result == TagParameterReader::kDefault)
      FontPartDefault(scanner, cls);
    else if (!(cls == kTextAttrFontFamily ? target.SetFontFamily(name) : target.SetFontStyle(name)))
      scanner.SetError(kScanNoSuchFont);
  }
  NameFontInReport(scanner, tag);
}

}  // namespace

void RegisterCharacterValueTags(TagDispatchTable& table) {
  table.Register('f', &FontTag);
  table.Register('z', &SizeTag);
  table.Register('c', &ColorTag);
  table.Register('s', &ShadeTag);
  table.Register('h', &ScaleTag);
  table.Register('y', &ScaleTag);
  table.Register('k', &KerningTag);
  table.Register('t', &TrackingTag);
  table.Register('b', &BaselineShiftTag);
  table.Register('n', &LanguageTag);
  table.RegisterExtension('h', &ExtensionScaleTag);
  table.RegisterExtension('L', &LeadingTag);
}

}  // namespace kesto
