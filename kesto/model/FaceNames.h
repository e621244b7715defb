// Face names: what a font face's style name says about boldness and slant ("Bold Italic", "BoldOblique",
// "Roman"), what is left of it for comparing faces, and names composed for faces a family lacks.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/WideString.h"

namespace kesto {

// Bits of a face: 1 bold, 2 italic.
inline constexpr int32_t kFaceBold = 1;
inline constexpr int32_t kFaceItalic = 2;

struct FaceAnalysis {
  int32_t bits = 0;
  // The name without its regular, italic and bold words, "Condensed"/"Cond" shortened to "Cn" and hyphens
  // dropped; faces of one family whose remainders are equal differ only in boldness and slant.
  WideString remaining;
  bool operator==(const FaceAnalysis&) const = default;
};

// Words are matched exactly (case included) and only as whole words: at the end of the name or followed by a
// space, or, in a name without spaces, followed by an upper-case letter; in a name with hyphens only after
// the last hyphen. "Semibold" is therefore not bold.
FaceAnalysis AnalyseFaceName(std::u16string_view name);
// AnalyseFaceName without its memory of the last few names it answered.
FaceAnalysis AnalyseFaceNameOnce(std::u16string_view name);
// Whether the name has a weight or width word ("Semibold", "Heavy", "Black", "Narrow", "Condensed", "Light",
// "Thin") by the same matching rules.
bool HasWeightOrWidthWord(std::u16string_view name);
// "Regular", "Bold", "Italic", "Bold Italic" for bits 0..3 (higher bits ignored).
std::u16string_view CanonicalFaceName(int32_t bits);
// A name for the face of `face`'s kind with `bits`, for a face the family does not have: `face` loses its
// bold and italic words and its first regular word; "Bold" takes the regular word's place (or the front), and
// " Italic" is appended. "Regular" with bold gives "Bold"; "Condensed" with bold and italic "Bold Condensed
// Italic"; a name left empty is "Regular".
WideString ComposeFaceName(std::u16string_view face, int32_t bits);

}  // namespace kesto
