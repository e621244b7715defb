// Kerning by the font's pair table and by the shapes of the letters.
#include "host/res/KerningMethods.h"

#include <hb.h>

#include <cmath>

#include "host/res/FontFace.h"

namespace {

// How a letter's side meets its neighbour.
enum class Side { kStraight, kRound, kDiagonal, kOverhang, kLowPunctuation };

Side RightSide(char32_t c) {
  switch (c) {
    case 'O':
    case 'D':
    case 'Q':
    case 'b':
    case 'o':
    case 'p':
    case 'e':
      return Side::kRound;
    case 'A':
    case 'V':
    case 'W':
    case 'Y':
    case 'K':
    case 'X':
    case 'v':
    case 'w':
    case 'y':
    case 'k':
    case 'x':
      return Side::kDiagonal;
    case 'T':
    case 'F':
    case 'P':
    case 'r':
    case 'f':
      return Side::kOverhang;
    default:
      return Side::kStraight;
  }
}

Side LeftSide(char32_t c) {
  switch (c) {
    case 'O':
    case 'C':
    case 'G':
    case 'Q':
    case 'a':
    case 'c':
    case 'd':
    case 'e':
    case 'o':
    case 'q':
      return Side::kRound;
    case 'A':
    case 'V':
    case 'W':
    case 'Y':
    case 'X':
    case 'v':
    case 'w':
    case 'y':
    case 'x':
      return Side::kDiagonal;
    case '.':
    case ',':
      return Side::kLowPunctuation;
    default:
      return Side::kStraight;
  }
}

int32_t OpticalPair(Side right, Side left) {
  if (right == Side::kDiagonal && left == Side::kDiagonal) return -60;
  if (right == Side::kOverhang && left == Side::kLowPunctuation) return -100;
  if (right == Side::kDiagonal && left == Side::kLowPunctuation) return -80;
  if (right == Side::kOverhang && (left == Side::kRound || left == Side::kDiagonal)) return -60;
  if ((right == Side::kDiagonal && left == Side::kRound) ||
      (right == Side::kRound && left == Side::kDiagonal))
    return -30;
  if (right == Side::kRound && left == Side::kRound) return -10;
  return 0;
}

// Pair values are for a face whose "n" is 560/1000 em wide and follow the face's proportions; monospaced
// faces never kern.
int32_t ScaleToFace(const FontFace& face, int32_t value) {
  if (value == 0 || face.IsMonospaced()) return 0;
  return static_cast<int32_t>(std::lround(value * face.GetAdvance('n') / 560));
}

// The width of `left` `right` shaped with or without the face's kerning, in design units.
int32_t PairWidth(hb_font_t* font, char32_t left, char32_t right, bool kern) {
  hb_buffer_t* buffer = hb_buffer_create();
  const uint32_t text[] = {left, right};
  hb_buffer_add_utf32(buffer, text, 2, 0, 2);
  hb_buffer_guess_segment_properties(buffer);
  hb_feature_t feature = {HB_TAG('k', 'e', 'r', 'n'), kern ? 1u : 0u, HB_FEATURE_GLOBAL_START,
                          HB_FEATURE_GLOBAL_END};
  hb_shape(font, buffer, &feature, 1);
  unsigned count = 0;
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
  int32_t width = 0;
  for (unsigned i = 0; i < count; ++i)
    width += positions[i].x_advance;
  hb_buffer_destroy(buffer);
  return width;
}

}  // namespace

int32_t MetricsKerningMethod::GetKerning(const FontFace& face, char32_t left, char32_t right) const {
  hb_font_t* font = face.GetShapingFont();
  if (!font) return 0;
  int32_t units = PairWidth(font, left, right, true) - PairWidth(font, left, right, false);
  return static_cast<int32_t>(std::lround(units * 1000.0 / face.GetMetrics().unitsPerEm));
}

int32_t OpticalKerningMethod::GetKerning(const FontFace& face, char32_t left, char32_t right) const {
  return ScaleToFace(face, OpticalPair(RightSide(left), LeftSide(right)));
}
