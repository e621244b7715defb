// The attribute manager: typed access, tag-side values, fonts, type style, OpenType features and styles.
#include "kesto/model/K2AttributeSetMgr.h"

#include <cmath>
#include <unordered_set>

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "host/res/IFontFamily.h"
#include "host/res/IKerningMethod.h"
#include "host/res/Translator.h"
#include "host/text/AttributeResolver.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextAttribute.h"
#include "kesto/model/DocumentStyles.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/K2AttributeSet.h"
#include "kesto/model/Languages.h"
#include "kesto/model/NameCompare.h"

namespace kesto {

namespace {

constexpr std::u16string_view kNormal = u"Normal";
constexpr std::u16string_view kNormalParagraphStyle = u"NormalParagraphStyle";

WideString Truncated(WideString name) {
  if (name.size() >= kNameBufferUnits) name.resize(kNameBufferUnits - 1);
  return name;
}

UID FindStyleNamed(IDataBase* db, StyleKind kind, std::u16string_view name) {
  return kind == StyleKind::kParagraph ? FindParagraphStyle(db, name) : FindCharacterStyle(db, name);
}

// The on/off features in the order their entries are listed.
constexpr ClassID kOnOffFeatures[] = {
    kTextAttrSlashedZero,
    kTextAttrContextualAlternates,
    kTextAttrSwash,
    kTextAttrItalicForms,
    kTextAttrTitlingAlternates,
    kTextAttrDiscretionaryLigatures,
    kTextAttrFractions,
    kTextAttrOrdinals,
    kTextAttrHistoricalForms,
    kTextAttrMarkPositioning,
    kTextAttrLocalizedForms,
};

}  // namespace

K2AttributeSetMgr::K2AttributeSetMgr(IDataBase* document, StyleKind kind)
    : document_(document), kind_(kind), owned_(std::make_unique<K2AttributeSet>()), agent_(owned_.get()) {}

K2AttributeSetMgr::~K2AttributeSetMgr() = default;

void K2AttributeSetMgr::SetDocument(IDataBase* document) {
  document_ = document;
  cachedPairedStyle_ = {};
  fonts_.ForgetDocument();
}

void K2AttributeSetMgr::Bind(IK2AttributeAgent* agent) {
  if (agent == agent_) return;
  if (agent) {
    agent_ = agent;
    owned_.reset();
  } else {
    owned_ = std::make_unique<K2AttributeSet>();
    agent_ = owned_.get();
  }
  ClearCaches();
}

void K2AttributeSetMgr::ClearCaches() {
  fonts_.Forget();
}

// ---- Typed access.

InterfacePtr<ITextAttribute> K2AttributeSetMgr::Lookup(ClassID cls, bool withOverrides, bool* own) const {
  if (own) *own = false;
  if (withOverrides) {
    if (const AttributeBossList* list = Overrides()) {
      if (const ITextAttribute* attribute = list->GetByClass(cls)) {
        if (own) *own = true;
        return InterfacePtr<ITextAttribute>::Share(const_cast<ITextAttribute*>(attribute));
      }
    }
  }
  UID style = agent_->GetStyle();
  if (!style.IsValid() || !document_) return {};
  return AttributeResolver::FromStyle(document_, style, cls);
}

InterfacePtr<ITextAttribute> K2AttributeSetMgr::FindAttribute(ClassID cls, bool* own) const {
  return Lookup(cls, true, own);
}

template <class T>
std::optional<T> K2AttributeSetMgr::LookupValue(ClassID cls, bool withOverrides) const {
  InterfacePtr<ITextAttribute> attribute = Lookup(cls, withOverrides);
  const T* found = GetValueAs<T>(attribute.get());
  return found ? std::optional<T>(*found) : std::nullopt;
}

template <class T>
bool K2AttributeSetMgr::GetValue(ClassID cls, T& value) const {
  std::optional<T> found = LookupValue<T>(cls, true);
  if (!found) return false;
  value = std::move(*found);
  return true;
}

bool K2AttributeSetMgr::PutQuietly(ClassID cls, const AttributeValue& value) {
  AttributeBossList* list = agent_->GetOverridesForWrite();
  if (!list || list->ApplyValue(cls, value) != kSuccess) return Fail(kAttrCannotCreate);
  return true;
}

bool K2AttributeSetMgr::Put(ClassID cls, const AttributeValue& value, bool checkRange) {
  const AttributeClassInfo* info = AttributeClasses::Find(cls);
  if (!info) return Fail(kAttrCannotCreate);
  if (const double* real = std::get_if<double>(&value); real && !std::isfinite(*real))
    return Fail(kAttrOutOfRange);
  if (!ValueFitsKind(value, info->kind)) return Fail(kAttrCannotCreate);
  if (checkRange && !AttributeClasses::IsInRange(*info, value)) return Fail(kAttrOutOfRange);
  if (!PutQuietly(cls, value)) return false;
  fonts_.NoteChange(cls);
  return Succeed();
}

bool K2AttributeSetMgr::SetUID(ClassID cls, UID value) {
  return Put(cls, value, false);
}
bool K2AttributeSetMgr::GetUID(ClassID cls, UID& value) const {
  return GetValue(cls, value);
}
bool K2AttributeSetMgr::SetBool(ClassID cls, bool value) {
  return Put(cls, value, false);
}
bool K2AttributeSetMgr::GetBool(ClassID cls, bool& value) const {
  return GetValue(cls, value);
}

bool K2AttributeSetMgr::SetInt16(ClassID cls, int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) return Fail(kAttrOutOfRange);
  return Put(cls, static_cast<int16_t>(value), true);
}
bool K2AttributeSetMgr::GetInt16(ClassID cls, int16_t& value) const {
  return GetValue(cls, value);
}
bool K2AttributeSetMgr::SetInt32Ranged(ClassID cls, int32_t value) {
  return Put(cls, value, true);
}
bool K2AttributeSetMgr::GetInt32(ClassID cls, int32_t& value) const {
  return GetValue(cls, value);
}
bool K2AttributeSetMgr::SetReal(ClassID cls, double value) {
  return Put(cls, value, true);
}
bool K2AttributeSetMgr::SetRealOrSentinel(ClassID cls, double value) {
  return Put(cls, value, value != kKerningByMethod);
}
bool K2AttributeSetMgr::GetReal(ClassID cls, double& value) const {
  return GetValue(cls, value);
}
bool K2AttributeSetMgr::SetEnum(ClassID cls, int32_t value) {
  return Put(cls, value, false);
}
bool K2AttributeSetMgr::GetEnum(ClassID cls, int32_t& value) const {
  return GetValue(cls, value);
}
bool K2AttributeSetMgr::SetClassID(ClassID cls, ClassID value) {
  return Put(cls, value, false);
}
bool K2AttributeSetMgr::GetClassID(ClassID cls, ClassID& value) const {
  return GetValue(cls, value);
}

bool K2AttributeSetMgr::SetString(ClassID cls, const WideString& value) {
  if (value.empty()) return Fail(kAttrEmptyValue);
  return Put(cls, value, false);
}
bool K2AttributeSetMgr::GetString(ClassID cls, WideString& value) const {
  return GetValue(cls, value);
}

bool K2AttributeSetMgr::SetObject(ClassID cls, ObjectRef value) {
  if (!value) return Fail(kAttrEmptyValue);
  return Put(cls, std::move(value), false);
}
bool K2AttributeSetMgr::GetObject(ClassID cls, ObjectRef& value) const {
  return GetValue(cls, value);
}

bool K2AttributeSetMgr::SetAttribute(const ITextAttribute* attribute) {
  if (!attribute) return Fail(kAttrEmptyValue);
  AttributeBossList* list = agent_->GetOverridesForWrite();
  if (!list || list->ApplyAttribute(attribute) != kSuccess) return Fail(kAttrCannotCreate);
  fonts_.NoteChange(attribute->GetAttributeClass());
  return Succeed();
}

// ---- Tag-side values.

bool K2AttributeSetMgr::SetLeading(double value, bool relative) {
  return SetReal(kTextAttrLeading, EncodeLeading(value, relative));
}

bool K2AttributeSetMgr::GetLeading(Leading& leading) const {
  bool own = false;
  InterfacePtr<ITextAttribute> attribute = Lookup(kTextAttrLeading, true, &own);
  const double* stored = GetValueAs<double>(attribute.get());
  if (!stored) return false;
  leading = DecodeLeading(*stored, own);
  return true;
}

bool K2AttributeSetMgr::SetTracking(double tagValue) {
  return SetReal(kTextAttrTracking, EncodeTracking(tagValue));
}

bool K2AttributeSetMgr::GetTracking(double& tagValue) const {
  double stored = 0;
  if (!GetReal(kTextAttrTracking, stored)) return false;
  tagValue = DecodeTracking(stored);
  return true;
}

bool K2AttributeSetMgr::SetKerning(double tagValue) {
  if (tagValue == kKerningByMethodTag) return SetRealOrSentinel(kTextAttrKerningValue, kKerningByMethod);
  if (!SetReal(kTextAttrKerningValue, EncodeKerning(tagValue))) return false;
  (void)ClearOverride(kTextAttrKerningMethod);
  return Succeed();
}

bool K2AttributeSetMgr::GetKerning(double& tagValue) const {
  double stored = 0;
  if (!GetReal(kTextAttrKerningValue, stored)) return false;
  tagValue = DecodeKerning(stored);
  return true;
}

bool K2AttributeSetMgr::SetKerningMethod(const WideString& name) {
  if (name.empty()) return Fail(kAttrEmptyValue);
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kKerningMethodService)) {
    InterfacePtr<IKerningMethod> method = CreateObject<IKerningMethod>(provider);
    if (!method || !EqualsIgnoringCase(Translator::Get().Translate(method->GetNameKey()), name)) continue;
    if (!SetRealOrSentinel(kTextAttrKerningValue, kKerningByMethod)) return false;
    return SetClassID(kTextAttrKerningMethod, provider);
  }
  return Fail(kAttrNoSuchKerningMethod);
}

bool K2AttributeSetMgr::GetKerningMethodName(WideString& name) const {
  ClassID provider;
  if (!GetClassID(kTextAttrKerningMethod, provider) || !provider.IsValid()) return false;
  InterfacePtr<IKerningMethod> method = CreateObject<IKerningMethod>(provider);
  if (!method) return false;
  name = Translator::Get().Translate(method->GetNameKey());
  return true;
}

bool K2AttributeSetMgr::SetScale(bool vertical, double value) {
  ClassID chosen = vertical ? kTextAttrVerticalScale : kTextAttrHorizontalScale;
  ClassID other = vertical ? kTextAttrHorizontalScale : kTextAttrVerticalScale;
  return SetReal(chosen, value) && SetReal(other, 1);
}

bool K2AttributeSetMgr::GetScale(bool& vertical, double& value) const {
  double h = 1, v = 1;
  bool hasH = GetReal(kTextAttrHorizontalScale, h);
  bool hasV = GetReal(kTextAttrVerticalScale, v);
  // SetScale leaves the other axis at 1, so the scaled axis is the one that differs from 1.
  if (hasH && (h != 1 || !hasV || v == 1)) {
    vertical = false;
    value = h;
    return true;
  }
  if (!hasV) return false;
  vertical = true;
  value = v;
  return true;
}

bool K2AttributeSetMgr::SetShade(double fraction) {
  return SetReal(kTextAttrShade, EncodeShade(fraction));
}

bool K2AttributeSetMgr::GetShade(double& fraction) const {
  double stored = 0;
  if (!GetReal(kTextAttrShade, stored)) return false;
  fraction = DecodeShade(stored);
  return true;
}

bool K2AttributeSetMgr::SetFigureStyle(int32_t tagValue) {
  return SetEnum(kTextAttrFigureStyle, EncodeFigureStyle(tagValue));
}

bool K2AttributeSetMgr::GetFigureStyle(int32_t& tagValue) const {
  int32_t stored = 0;
  if (!GetEnum(kTextAttrFigureStyle, stored)) return false;
  tagValue = DecodeFigureStyle(stored);
  return true;
}

bool K2AttributeSetMgr::SetPositionalForm(int32_t tagValue) {
  return SetEnum(kTextAttrPositionalForm, EncodePositionalForm(tagValue));
}

bool K2AttributeSetMgr::GetPositionalForm(int32_t& tagValue) const {
  int32_t stored = 0;
  if (!GetEnum(kTextAttrPositionalForm, stored)) return false;
  tagValue = DecodePositionalForm(stored);
  return true;
}

bool K2AttributeSetMgr::SetPosition(int32_t tagValue) {
  return SetEnum(kTextAttrPosition, EncodePosition(tagValue));
}

bool K2AttributeSetMgr::SetLanguage(int32_t number) {
  UID language = LanguageFromNumber(document_, number);
  if (!language.IsValid()) return Fail(kAttrNoSuchName);
  return SetUID(kTextAttrLanguage, language);
}

bool K2AttributeSetMgr::GetLanguage(int32_t& number) const {
  UID language;
  if (!GetUID(kTextAttrLanguage, language) || !language.IsValid()) return false;
  std::optional<int32_t> found = LanguageNumberOf(document_, language);
  if (!found) return false;
  number = *found;
  return true;
}

bool K2AttributeSetMgr::SetColor(VyColorDesc& spec, ClassID cls) {
  if (!spec.document) spec.document = document_;
  UID swatch = ResolveColor(spec);
  if (!swatch.IsValid()) return Fail(kAttrNoSuchColor);
  return SetUID(cls, swatch);
}

bool K2AttributeSetMgr::GetColor(VyColorDesc& spec, ClassID cls) const {
  UID swatch;
  if (!GetUID(cls, swatch)) return false;
  return DescribeColor(document_, swatch, spec);
}

bool K2AttributeSetMgr::SetStrokeType(ClassID cls, VyStrokeTypeDesc& spec) {
  UID style = ResolveStrokeType(document_, spec);
  if (!style.IsValid()) return Fail(kAttrNoSuchStrokeType);
  return SetUID(cls, style);
}

bool K2AttributeSetMgr::GetStrokeType(ClassID cls, VyStrokeTypeDesc& spec) const {
  UID style;
  if (!GetUID(cls, style)) return false;
  spec = DescribeStrokeType(document_, style);
  return spec.kind != VyStrokeTypeDesc::kNoneGiven;
}

// ---- Fonts.

bool K2AttributeSetMgr::SetFontFamily(const WideString& name) {
  if (name.empty()) return Fail(kAttrEmptyValue);
  UID family = FindFontFamily(document_, name);
  if (!family.IsValid()) return Fail(kAttrNoSuchName);
  return SetUID(kTextAttrFontFamily, family);
}

bool K2AttributeSetMgr::SetFontStyle(const WideString& name) {
  return SetString(kTextAttrFontStyle, name);
}

bool K2AttributeSetMgr::SetFont(UID family, const WideString& style, const K2AttributeSetMgr* base) {
  // The bits the text has now decide the face, whatever face the name gives.
  int32_t bits = static_cast<int32_t>(GetTypeStyle(base) & kFaceBits);
  if (!family.IsValid() || style.empty()) {
    (void)ClearOverride(kTextAttrFontFamily);
    (void)ClearOverride(kTextAttrFontStyle);
    return Succeed();
  }
  VyFontDesc font{family, NormaliseFaceName(document_, family, style)};
  FaceName face = FaceNameFor(document_, font, bits, nullptr);
  if (!PutQuietly(kTextAttrFontFamily, family) || !PutQuietly(kTextAttrFontStyle, face.name)) return false;
  fonts_.RememberOwnFont(family, Lookup(kTextAttrFontStyle, true));
  return face.exists ? Succeed() : Fail(kAttrMissingFace);
}

bool K2AttributeSetMgr::SetFontByName(const WideString& fullName, const K2AttributeSetMgr* base) {
  if (fullName.empty()) return Fail(kAttrEmptyValue);
  VyFontDesc font = FindFontByFullName(document_, fullName);
  if (!font.family.IsValid()) return Fail(kAttrNoSuchName);
  return SetFont(font.family, font.face, base);
}

bool K2AttributeSetMgr::GetFont(VyFontDesc& font, const K2AttributeSetMgr* base) const {
  VyFontDesc raw = fonts_.RawFont(true, FontsOf(base));
  if (!raw.family.IsValid()) {
    font = {};
    return false;
  }
  font = {raw.family, NormaliseFaceName(document_, raw.family, raw.face)};
  return true;
}

bool K2AttributeSetMgr::GetFontFamilyName(WideString& name, const K2AttributeSetMgr* base) const {
  VyFontDesc font;
  if (!GetFont(font, base)) return false;
  InterfacePtr<IFontFamily> family = Instantiate<IFontFamily>(document_, font.family);
  if (!family) return false;
  name = Truncated(family->GetFamilyName());
  return true;
}

bool K2AttributeSetMgr::GetFontStyleName(WideString& name, const K2AttributeSetMgr* base) const {
  VyFontDesc font;
  if (!GetFont(font, base)) return false;
  name = Truncated(font.face);
  return true;
}

// ---- Type style.

TypeStyle K2AttributeSetMgr::GetTypeStyle(const K2AttributeSetMgr* base) const {
  return fonts_.GetTypeStyle(FontsOf(base));
}

TypeStyle K2AttributeSetMgr::GetStyleTypeStyle(const K2AttributeSetMgr* base) const {
  return fonts_.GetStyleTypeStyle(FontsOf(base));
}

bool K2AttributeSetMgr::DeriveFace(int32_t bits, const K2AttributeSetMgr* base) {
  const DerivedFontFace& derived = fonts_.DerivedFace(fonts_.RawFontRef(FontsOf(base)), bits);
  // RawFontRef has just cached the manager's own font: a face of its own is the face derived from.
  if (!derived.face.name.empty() && (!fonts_.HoldsFace() || !derived.keepsRawFace)) {
    AttributeBossList* list = agent_->GetOverridesForWrite();
    if (list && derived.attribute) {
      list->ApplyFrozen(kTextAttrFontStyle, derived.attribute);
    } else {
      (void)Fail(kAttrCannotCreate);
    }
    fonts_.NoteFaceWritten(derived);
  }
  return derived.face.exists || Fail(kAttrMissingFace);
}

void K2AttributeSetMgr::WriteTypeStyleGroup(TypeStyle group, TypeStyle flags, TypeStyle differ) {
  ClassID cls;
  AttributeValue value;
  if (group == kUnderlineGroup) {
    cls = kTextAttrUnderline;
    value = UnderlineOf(flags);
  } else if (group == kStrikeThroughGroup) {
    cls = kTextAttrStrikeThrough;
    value = StrikeThroughOf(flags);
  } else if (group == kCapitalizationGroup) {
    cls = kTextAttrCapitalization;
    value = CapitalizationOf(flags);
  } else {
    cls = kTextAttrPosition;
    value = PositionOf(flags);
  }
  if (differ & group) {
    (void)PutQuietly(cls, value);
  } else if (AttributeBossList* list = agent_->GetOverridesForWrite()) {
    (void)list->ClearOverride(cls);
  }
}

bool K2AttributeSetMgr::SetTypeStyle(TypeStyle newFlags, TypeStyle oldFlags, const K2AttributeSetMgr* base) {
  newFlags &= kAllTypeStyleBits;
  oldFlags &= kAllTypeStyleBits;
  TypeStyle changed = base ? newFlags ^ oldFlags : kAllTypeStyleBits;
  if (changed == 0) return Succeed();
  ClearLastError();
  bool ok = true;
  if (changed & kFaceBits) ok = DeriveFace(static_cast<int32_t>(newFlags & kFaceBits), base);
  if (changed & ~kFaceBits) {
    // Which groups differ from the style's is asked only when one of them changes (not for bold or italic).
    TypeStyle differ = base ? GetStyleTypeStyle(base) ^ newFlags : kAllTypeStyleBits;
    for (TypeStyle group : {kUnderlineGroup, kStrikeThroughGroup, kCapitalizationGroup, kPositionGroup}) {
      if (changed & group) WriteTypeStyleGroup(group, newFlags, differ);
    }
  }
  fonts_.RememberTypeStyle(newFlags & ~kUnsupportedBits);
  if (changed & newFlags & kUnsupportedBits) ok = Fail(kAttrCannotCreate);
  return ok;
}

bool K2AttributeSetMgr::ToggleTypeStyle(int32_t bit, const K2AttributeSetMgr* base) {
  TypeStyle current = GetTypeStyle(base);
  // Bold and italic over a base change the face alone (SetTypeStyle for that one bit), toggle after toggle.
  if (base && (bit == kBoldBit || bit == kItalicBit)) {
    TypeStyle flags = (current ^ Flag(bit)) & kAllTypeStyleBits;
    ClearLastError();
    bool ok = DeriveFace(static_cast<int32_t>(flags & kFaceBits), base);
    fonts_.RememberTypeStyle(flags & ~kUnsupportedBits);
    return ok;
  }
  return SetTypeStyle(ToggleBit(current, bit), current, base);
}

bool K2AttributeSetMgr::SetTypeStyleBit(int32_t bit, const K2AttributeSetMgr* base) {
  if (bit < 0 || bit >= kTypeStyleBitCount) return Fail(kAttrOutOfRange);
  TypeStyle current = GetTypeStyle(base);
  return SetTypeStyle(current | Flag(bit), current, base);
}

bool K2AttributeSetMgr::ReplaceTypeStyle(TypeStyle flags, const K2AttributeSetMgr* base) {
  return SetTypeStyle(flags, GetTypeStyle(base), base);
}

// ---- OpenType features.

bool K2AttributeSetMgr::GetFeatures(FeatureList& list) const {
  list.clear();
  int16_t alternates = 0;
  if (GetInt16(kTextAttrStylisticAlternates, alternates) && alternates != 0)
    (void)list.push_back({kTextAttrStylisticAlternates, alternates});
  for (ClassID cls : kOnOffFeatures) {
    bool on = false;
    if (GetBool(cls, on) && on) (void)list.push_back({cls, 1});
  }
  int32_t sets = 0;
  if (GetInt32(kTextAttrStylisticSets, sets) && sets != 0)
    (void)list.push_back({kTextAttrStylisticSets, sets});
  // Figure style and positional form are read in tag terms, as the table gives them.
  for (ClassID cls :
       {kTextAttrPosition, kTextAttrCapitalization, kTextAttrFigureStyle, kTextAttrPositionalForm}) {
    int32_t value = 0;
    bool found = cls == kTextAttrFigureStyle      ? GetFigureStyle(value)
                 : cls == kTextAttrPositionalForm ? GetPositionalForm(value)
                                                  : GetEnum(cls, value);
    if (found && value != 0 && HasFeatureRow(cls, value)) (void)list.push_back({cls, value});
  }
  return !list.empty();
}

bool K2AttributeSetMgr::ApplyFeatures(const FeatureList& list) {
  bool ok = true;
  for (const FeatureEntry& entry : list) {
    if (entry.IsEmpty()) continue;
    bool done;
    if (entry.cls == kTextAttrCapitalization || entry.cls == kTextAttrPosition) {
      done = SetEnum(entry.cls, entry.value);
    } else if (entry.cls == kTextAttrFigureStyle) {
      done = SetFigureStyle(entry.value);
    } else if (entry.cls == kTextAttrPositionalForm) {
      done = SetPositionalForm(entry.value);
    } else if (entry.cls == kTextAttrStylisticAlternates) {
      done = SetInt16(entry.cls, entry.value);
    } else if (entry.cls == kTextAttrStylisticSets) {
      done = SetInt32Ranged(entry.cls, entry.value);
    } else {
      done = SetBool(entry.cls, entry.value != 0);
    }
    ok = done && ok;
  }
  return ok;
}

// ---- Styles and state.

bool K2AttributeSetMgr::SetStyle(UID style) {
  if (!style.IsValid()) return Fail(kAttrEmptyValue);
  agent_->SetStyle(style);
  ClearCaches();
  return Succeed();
}

bool K2AttributeSetMgr::SetCharacterStyleByName(std::u16string_view name) {
  UID style = FindStyleNamed(document_, StyleKind::kCharacter, name);
  return style.IsValid() ? SetStyle(style) : Fail(kAttrNoSuchName);
}

bool K2AttributeSetMgr::SetParagraphStyleByName(std::u16string_view name) {
  UID style = FindStyleNamed(document_, StyleKind::kParagraph, name);
  return style.IsValid() ? SetStyle(style) : Fail(kAttrNoSuchName);
}

UID K2AttributeSetMgr::DefaultParagraphStyle() const {
  UID normal = FindStyleNamed(document_, StyleKind::kParagraph, kNormal);
  return normal.IsValid() ? normal : FindStyleNamed(document_, StyleKind::kParagraph, kNormalParagraphStyle);
}

UID K2AttributeSetMgr::DefaultCharacterStyle() const {
  UID normal = FindStyleNamed(document_, StyleKind::kCharacter, kNormal);
  if (normal.IsValid() && FindStyleNamed(document_, StyleKind::kParagraph, kNormal).IsValid()) return normal;
  return RootCharacterStyle(document_);
}

UID K2AttributeSetMgr::PairedCharacterStyle() const {
  UID paragraph = agent_->GetStyle();
  uint64_t styleChanges = StyleChangeCount();
  if (cachedPairedStyle_.paragraph == paragraph && cachedPairedStyle_.styleChanges == styleChanges)
    return cachedPairedStyle_.character;
  UID character = PairedCharacterStyleOf(paragraph);
  cachedPairedStyle_ = {paragraph, styleChanges, character};
  return character;
}

UID K2AttributeSetMgr::PairedCharacterStyleOf(UID paragraph) const {
  if (InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(document_, paragraph, StyleKind::kParagraph)) {
    UID own = info->GetCharacterStyle();
    if (own.IsValid() && StyleUtils::QueryStyle(document_, own, StyleKind::kCharacter)) return own;
    if (paragraph == FindStyleNamed(document_, StyleKind::kParagraph, kNormal)) {
      UID normal = FindStyleNamed(document_, StyleKind::kCharacter, kNormal);
      if (normal.IsValid()) return normal;
    }
  }
  return RootCharacterStyle(document_);
}

UID K2AttributeSetMgr::RootStyle() const {
  return StyleUtils::GetRootStyle(document_, kind_);
}

bool K2AttributeSetMgr::ClearOverride(ClassID cls) {
  AttributeBossList* list = agent_->GetOverridesForWrite();
  bool removed = list && list->ClearOverride(cls);
  fonts_.NoteChange(cls);
  return removed;
}

bool K2AttributeSetMgr::HasOverride(ClassID cls) const {
  const AttributeBossList* list = Overrides();
  return list && list->ContainsClass(cls);
}

bool K2AttributeSetMgr::Equals(const AttributeBossList& overrides) const {
  const AttributeBossList* list = Overrides();
  return list ? *list == overrides : overrides.IsEmpty();
}

void K2AttributeSetMgr::Reset() {
  ClearLastError();
  if (AttributeBossList* list = agent_->GetOverridesForWrite()) list->ClearAllOverrides();
  ClearCaches();
}

void K2AttributeSetMgr::LoadFrom(UID style, const AttributeBossList& overrides) {
  agent_->SetStyle(style);
  if (AttributeBossList* list = agent_->GetOverridesForWrite(); list && list != &overrides) *list = overrides;
  ClearCaches();
}

void K2AttributeSetMgr::CopyFrom(const IK2AttributeAgent& agent) {
  const AttributeBossList* overrides = agent.GetOverrides();
  LoadFrom(agent.GetStyle(), overrides ? *overrides : AttributeBossList());
}

void K2AttributeSetMgr::CopyFrom(const K2AttributeSetMgr& other) {
  if (&other == this) return;
  CopyFrom(*other.agent_);
}

AttributeBossList K2AttributeSetMgr::StyleAttributesAboveRoot(UID style) const {
  AttributeBossList result;
  std::unordered_set<uint32_t> visited;
  for (UID uid = style; uid.IsValid() && visited.size() < AttributeResolver::kMaxStyleDepth &&
                        visited.insert(uid.Get()).second;) {
    InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(document_, uid);
    if (!info || uid == StyleUtils::GetRootStyle(document_, info->GetKind())) break;
    const AttributeBossList& own = info->GetAttributes();
    for (int32_t n = 0; n < own.CountBosses(); ++n) {
      if (!result.ContainsClass(own.GetClassN(n))) (void)result.ApplyAttribute(own.GetNth(n));
    }
    uid = info->GetBasedOn();
  }
  return result;
}

void K2AttributeSetMgr::DissolveStyle(AttributeBossList* handedToCharacters,
                                      const AttributeBossList* handedFromParagraph) {
  UID root = RootStyle();
  AttributeBossList* list = agent_->GetOverridesForWrite();
  if (!root.IsValid() || !list) return;
  AttributeBossList look = handedFromParagraph ? *handedFromParagraph : AttributeBossList();
  UID style = agent_->GetStyle();
  if (style.IsValid() && style != root) {
    AttributeBossList fromStyle = StyleAttributesAboveRoot(style);
    if (handedToCharacters) {
      handedToCharacters->ApplyAttributes(fromStyle.FilterByScope(false));
      fromStyle = fromStyle.FilterByScope(true);
    }
    look.ApplyAttributes(fromStyle);
  }
  look.ApplyAttributes(*list);
  *list = std::move(look);
  agent_->SetStyle(root);
  ClearCaches();
}

// ---- Leading and language over whole paragraphs.

ParagraphScopeSnapshot K2AttributeSetMgr::TakeParagraphScope() {
  ParagraphScopeSnapshot snapshot;
  AttributeBossList* list = agent_->GetOverridesForWrite();
  if (!list) return snapshot;
  auto take = [list](ClassID cls) {
    auto held = InterfacePtr<ITextAttribute>::Share(const_cast<ITextAttribute*>(list->GetByClass(cls)));
    (void)list->ClearOverride(cls);
    return held;
  };
  snapshot.leading = take(kTextAttrLeading);
  snapshot.language = take(kTextAttrLanguage);
  return snapshot;
}

ParagraphScopeSnapshot K2AttributeSetMgr::PeekParagraphScope() const {
  ParagraphScopeSnapshot snapshot;
  const AttributeBossList* list = Overrides();
  if (!list) return snapshot;
  auto peek = [list](ClassID cls) {
    return InterfacePtr<ITextAttribute>::Share(const_cast<ITextAttribute*>(list->GetByClass(cls)));
  };
  snapshot.leading = peek(kTextAttrLeading);
  snapshot.language = peek(kTextAttrLanguage);
  return snapshot;
}

void K2AttributeSetMgr::RestoreParagraphScope(const ParagraphScopeSnapshot& snapshot) {
  AttributeBossList* list = agent_->GetOverridesForWrite();
  if (!list) return;
  if (snapshot.leading) (void)list->ApplyAttribute(snapshot.leading.get());
  if (snapshot.language) (void)list->ApplyAttribute(snapshot.language.get());
}

std::optional<double> K2AttributeSetMgr::ParagraphLeadingFor(const ParagraphScopeSnapshot& snapshot,
                                                             double pointSize) {
  const double* stored = GetValueAs<double>(snapshot.leading.get());
  if (!stored) return std::nullopt;
  return LeadingOverRun(DecodeLeading(*stored, true), pointSize);
}

}  // namespace kesto
