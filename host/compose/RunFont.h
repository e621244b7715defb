// RunFont: one run of text as composition measures it: the face (never missing: a face that is not
// installed, or whose file cannot be read, is replaced by the catalog's substitute), the point size and the
// horizontal scale, tracking and manual kerning in ems of the point size after every glyph cluster, and the
// OpenType features the run's character attributes ask for. Widths come from shaping (see TextShaper);
// vertical metrics are the face's, scaled by the point size.
//
// Values outside the host's limits are clamped when a run is resolved, so that no size or scale can stall or
// overflow composition: point size 0.1..1296, horizontal scale 1 %..1000 %, tracking and kerning -1..10 em.
#pragma once

#include <cstdint>

#include "host/db/IDataBase.h"
#include "host/res/FontFace.h"
#include "host/text/AttributeResolver.h"
#include "host/text/ITextModel.h"

// The OpenType features a run can ask for, one bit each (kFeatureStylisticSet1 << n for set n + 1).
inline constexpr uint64_t kFeatureKerning = 1ull << 0;
inline constexpr uint64_t kFeatureLigatures = 1ull << 1;
inline constexpr uint64_t kFeatureDiscretionaryLigatures = 1ull << 2;
inline constexpr uint64_t kFeatureContextualAlternates = 1ull << 3;
inline constexpr uint64_t kFeatureSmallCaps = 1ull << 4;
inline constexpr uint64_t kFeatureCapsToSmallCaps = 1ull << 5;
inline constexpr uint64_t kFeatureLiningFigures = 1ull << 6;
inline constexpr uint64_t kFeatureOldstyleFigures = 1ull << 7;
inline constexpr uint64_t kFeatureTabularFigures = 1ull << 8;
inline constexpr uint64_t kFeatureProportionalFigures = 1ull << 9;
inline constexpr uint64_t kFeatureFractions = 1ull << 10;
inline constexpr uint64_t kFeatureOrdinals = 1ull << 11;
inline constexpr uint64_t kFeatureSuperiors = 1ull << 12;
inline constexpr uint64_t kFeatureInferiors = 1ull << 13;
inline constexpr uint64_t kFeatureNumerators = 1ull << 14;
inline constexpr uint64_t kFeatureDenominators = 1ull << 15;
inline constexpr uint64_t kFeatureSlashedZero = 1ull << 16;
inline constexpr uint64_t kFeatureStylisticAlternates = 1ull << 17;
inline constexpr uint64_t kFeatureTitlingAlternates = 1ull << 18;
inline constexpr uint64_t kFeatureSwash = 1ull << 19;
inline constexpr uint64_t kFeatureHistoricalForms = 1ull << 20;
inline constexpr uint64_t kFeatureItalicForms = 1ull << 21;
inline constexpr uint64_t kFeatureMarkPositioning = 1ull << 22;
inline constexpr uint64_t kFeatureLocalizedForms = 1ull << 23;
inline constexpr uint64_t kFeatureInitialForms = 1ull << 24;
inline constexpr uint64_t kFeatureMedialForms = 1ull << 25;
inline constexpr uint64_t kFeatureFinalForms = 1ull << 26;
inline constexpr uint64_t kFeatureIsolatedForms = 1ull << 27;
inline constexpr uint64_t kFeatureAllCaps = 1ull
                                            << 28;  // not an OpenType feature: the text is set in capitals
inline constexpr uint64_t kFeatureStylisticSet1 = 1ull << 32;
inline constexpr uint64_t kDefaultFeatures =
    kFeatureLigatures | kFeatureContextualAlternates | kFeatureMarkPositioning | kFeatureLocalizedForms;

// The host's limits for the measures of a run.
inline constexpr double kMinPointSize = 0.1;
inline constexpr double kMaxPointSize = 1296;
inline constexpr double kMinHorizontalScale = 0.01;
inline constexpr double kMaxHorizontalScale = 10;
inline constexpr double kMinTracking = -1;
inline constexpr double kMaxTracking = 10;

struct RunFont {
  const FontFace* face = nullptr;  // never null once resolved
  double pointSize = 12;
  double horizontalScale = 1;
  double tracking = 0;  // ems
  double kerning = 0;   // ems; a kerning left to the kerning method counts as 0
  double leading = -1;  // points, or kAutoLeading
  uint64_t features = kDefaultFeatures;

  // The nominal advance of `c` alone, unshaped, with tracking and kerning.
  double Advance(char32_t c) const;
  double Ascent() const { return face->GetAscent() * pointSize / 1000; }
  double Descent() const { return face->GetDescent() * pointSize / 1000; }
  double CapHeight() const { return face->GetCapHeight() * pointSize / 1000; }
  double XHeight() const { return face->GetXHeight() * pointSize / 1000; }
  // The line distance this run asks for: automatic leading is 120 % of the point size; relative leading
  // (stored from kRelativeLeadingBase on) adds to the point size.
  double Leading() const;
};

// The face every run falls back to when it names no font: the catalog's default face.
const FontFace* DefaultFace();

// The font a run names, and the face it composes in: the named face when it is installed and readable,
// otherwise fontconfig's substitute (`missing`); the default face when the run names no family.
struct FontChoice {
  WideString family;    // empty when the run names no family
  WideString faceName;  // the family's plain face when the run names none
  const FontFace* face = nullptr;
  bool missing = false;
};
FontChoice ChooseFace(const AttributeResolver::Place& place);

// The attribute of `cls` in force at `position` (or `place`) as a number (booleans 0 or 1); `fallback`
// when none is.
double ResolveNumber(const ITextModel* story, int32_t position, ClassID cls, double fallback = 0);
double ResolveNumber(const AttributeResolver::Place& place, ClassID cls, double fallback = 0);

// The run font of the character run holding `position` (or of `place`): family, face, size, scale,
// tracking, kerning, leading and features as the attribute resolver finds them, clamped to the limits above.
RunFont ResolveRunFont(const ITextModel* story, int32_t position);
RunFont ResolveRunFont(const AttributeResolver::Place& place);
