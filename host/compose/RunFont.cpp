// Run metrics from a story's attributes.
#include "host/compose/RunFont.h"

#include <algorithm>

#include "host/core/InterfacePtr.h"
#include "host/res/FontCatalog.h"
#include "host/res/IFontFamily.h"
#include "host/res/ResIDs.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"

double RunFont::Advance(char32_t c) const {
  return face->GetAdvance(c) * pointSize * horizontalScale / 1000 + (tracking + kerning) * pointSize;
}

double RunFont::Leading() const {
  if (leading < 0) return pointSize * 1.2;
  if (leading >= kRelativeLeadingBase) return pointSize + (leading - kRelativeLeadingBase);
  return leading;
}

double ResolveNumber(const ITextModel* story, int32_t position, ClassID cls, double fallback) {
  return ResolveNumber(
      AttributeResolver::PlaceAt(story, position, !AttributeClasses::IsParagraphAttribute(cls)), cls,
      fallback);
}

double ResolveNumber(const AttributeResolver::Place& place, ClassID cls, double fallback) {
  auto resolved = AttributeResolver::Resolve(place, cls);
  if (!resolved) return fallback;
  if (const auto* real = std::get_if<double>(&resolved->value)) return *real;
  if (const auto* i32 = std::get_if<int32_t>(&resolved->value)) return *i32;
  if (const auto* i16 = std::get_if<int16_t>(&resolved->value)) return *i16;
  if (const auto* flag = std::get_if<bool>(&resolved->value)) return *flag ? 1 : 0;
  return fallback;
}

const FontFace* DefaultFace() {
  return FontCatalog::Get().DefaultFace();
}

// The named face when it is installed and its file reads; otherwise fontconfig's substitute for the name,
// which the document keeps.
FontChoice ChooseFace(const AttributeResolver::Place& place) {
  FontChoice choice;
  auto family = AttributeResolver::Resolve(place, kTextAttrFontFamily);
  auto faceName = AttributeResolver::Resolve(place, kTextAttrFontStyle);
  const UID* familyUID = family ? std::get_if<UID>(&family->value) : nullptr;
  const WideString* name = faceName ? std::get_if<WideString>(&faceName->value) : nullptr;
  auto fontFamily = place.db && familyUID && *familyUID != kInvalidUID
                        ? Instantiate<IFontFamily>(place.db, *familyUID)
                        : InterfacePtr<IFontFamily>();
  if (!fontFamily) {
    choice.face = DefaultFace();
    return choice;
  }
  choice.family = fontFamily->GetFamilyName();
  choice.faceName = name ? *name : fontFamily->GetRegularFaceName();
  const FontFace* face = fontFamily->GetFace(choice.faceName);
  choice.missing = !face || !face->IsUsable();
  choice.face = choice.missing ? FontCatalog::Get().Substitute(choice.family, choice.faceName) : face;
  return choice;
}

namespace {

bool On(const AttributeResolver::Place& place, ClassID cls, bool fallback = false) {
  return ResolveNumber(place, cls, fallback ? 1 : 0) != 0;
}

// Kerning from the font's own pairs when the run leaves kerning to a method; a manual value replaces it.
bool KernsByMethod(const AttributeResolver::Place& place, double kerning) {
  if (kerning < kKerningByMethod) return false;
  auto method = AttributeResolver::Resolve(place, kTextAttrKerningMethod);
  const ClassID* cls = method ? std::get_if<ClassID>(&method->value) : nullptr;
  return !cls || *cls == kMetricsKerningMethodBoss || *cls == kOpticalKerningMethodBoss;
}

uint64_t FigureFeatures(int32_t style) {
  switch (style) {
    case 0:
      return kFeatureTabularFigures | kFeatureLiningFigures;
    case 1:
      return kFeatureProportionalFigures | kFeatureOldstyleFigures;
    case 2:
      return kFeatureProportionalFigures | kFeatureLiningFigures;
    case 3:
      return kFeatureTabularFigures | kFeatureOldstyleFigures;
    default:
      return 0;  // the font's default figures
  }
}

uint64_t ChoiceFeatures(const AttributeResolver::Place& place) {
  uint64_t features = FigureFeatures(static_cast<int32_t>(ResolveNumber(place, kTextAttrFigureStyle, 4)));
  switch (static_cast<int32_t>(ResolveNumber(place, kTextAttrCapitalization, 0))) {
    case 1:
      features |= kFeatureSmallCaps;
      break;
    case 2:
      features |= kFeatureAllCaps;
      break;
    case 3:
      features |= kFeatureSmallCaps | kFeatureCapsToSmallCaps;
      break;
    default:
      break;
  }
  constexpr uint64_t kPositions[] = {kFeatureSuperiors, kFeatureInferiors, kFeatureNumerators,
                                     kFeatureDenominators};
  auto position = static_cast<int32_t>(ResolveNumber(place, kTextAttrPosition, 0));
  if (position >= 3 && position <= 6) features |= kPositions[position - 3];
  constexpr uint64_t kForms[] = {kFeatureInitialForms, kFeatureMedialForms, kFeatureFinalForms,
                                 kFeatureIsolatedForms};
  auto form = static_cast<int32_t>(ResolveNumber(place, kTextAttrPositionalForm, 0));
  if (form >= 2 && form <= 5) features |= kForms[form - 2];
  auto sets = static_cast<uint32_t>(ResolveNumber(place, kTextAttrStylisticSets, 0));
  features |= static_cast<uint64_t>((sets >> 1) & 0xFFFFF) * kFeatureStylisticSet1;
  return features;
}

uint64_t ResolveFeatures(const AttributeResolver::Place& place, bool kern) {
  struct Switch {
    ClassID cls;
    uint64_t feature;
    bool byDefault;
  };
  static constexpr Switch kSwitches[] = {
      {kTextAttrLigatures, kFeatureLigatures, true},
      {kTextAttrDiscretionaryLigatures, kFeatureDiscretionaryLigatures, false},
      {kTextAttrContextualAlternates, kFeatureContextualAlternates, true},
      {kTextAttrFractions, kFeatureFractions, false},
      {kTextAttrOrdinals, kFeatureOrdinals, false},
      {kTextAttrSlashedZero, kFeatureSlashedZero, false},
      {kTextAttrStylisticAlternates, kFeatureStylisticAlternates, false},
      {kTextAttrTitlingAlternates, kFeatureTitlingAlternates, false},
      {kTextAttrSwash, kFeatureSwash, false},
      {kTextAttrHistoricalForms, kFeatureHistoricalForms, false},
      {kTextAttrItalicForms, kFeatureItalicForms, false},
      {kTextAttrMarkPositioning, kFeatureMarkPositioning, true},
      {kTextAttrLocalizedForms, kFeatureLocalizedForms, true},
  };
  uint64_t features = kern ? kFeatureKerning : 0;
  for (const Switch& s : kSwitches) {
    if (On(place, s.cls, s.byDefault)) features |= s.feature;
  }
  return features | ChoiceFeatures(place);
}

}  // namespace

RunFont ResolveRunFont(const ITextModel* story, int32_t position) {
  return ResolveRunFont(AttributeResolver::PlaceAt(story, position));
}

RunFont ResolveRunFont(const AttributeResolver::Place& place) {
  RunFont font;
  font.face = ChooseFace(place).face;
  font.pointSize = std::clamp(ResolveNumber(place, kTextAttrPointSize, 12.0), kMinPointSize, kMaxPointSize);
  font.horizontalScale = std::clamp(ResolveNumber(place, kTextAttrHorizontalScale, 1.0), kMinHorizontalScale,
                                    kMaxHorizontalScale);
  font.tracking = std::clamp(ResolveNumber(place, kTextAttrTracking, 0.0), kMinTracking, kMaxTracking);
  double kerning = ResolveNumber(place, kTextAttrKerningValue, 0.0);
  bool byMethod = KernsByMethod(place, kerning);
  font.kerning = kerning >= kKerningByMethod ? 0 : std::clamp(kerning, kMinTracking, kMaxTracking);
  font.leading = ResolveNumber(place, kTextAttrLeading, kAutoLeading);
  font.features = ResolveFeatures(place, byMethod);
  return font;
}
