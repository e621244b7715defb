// Kerning by the font's pair table and by the shapes of the letters.
#include "host/res/KerningMethods.h"

#include <cmath>

#include "host/res/FontFace.h"

namespace {

struct KernPair {
  char left;
  char right;
  int16_t value;
};

// The pair table every installed face carries, in 1/1000 em of the master design.
constexpr KernPair kPairs[] = {
    {'A', 'T', -80},  {'A', 'V', -80},  {'A', 'W', -60},  {'A', 'Y', -90},  {'A', 'v', -40},  {'A', 'w', -30},
    {'A', 'y', -40},  {'F', ',', -110}, {'F', '.', -110}, {'F', 'A', -70},  {'L', 'T', -90},  {'L', 'V', -90},
    {'L', 'W', -70},  {'L', 'Y', -100}, {'L', 'y', -50},  {'P', ',', -120}, {'P', '.', -120}, {'P', 'A', -70},
    {'T', ',', -110}, {'T', '-', -60},  {'T', '.', -110}, {'T', 'A', -80},  {'T', 'a', -90},  {'T', 'c', -90},
    {'T', 'e', -90},  {'T', 'o', -90},  {'T', 'r', -60},  {'T', 'u', -60},  {'T', 'w', -60},  {'T', 'y', -60},
    {'V', ',', -100}, {'V', '.', -100}, {'V', 'A', -80},  {'V', 'a', -70},  {'V', 'e', -70},  {'V', 'o', -70},
    {'W', ',', -70},  {'W', '.', -70},  {'W', 'A', -60},  {'W', 'a', -50},  {'W', 'e', -40},  {'W', 'o', -40},
    {'Y', ',', -110}, {'Y', '.', -110}, {'Y', 'A', -90},  {'Y', 'a', -80},  {'Y', 'e', -80},  {'Y', 'o', -80},
    {'r', ',', -50},  {'r', '.', -50},  {'v', ',', -60},  {'v', '.', -60},  {'w', ',', -50},  {'w', '.', -50},
    {'y', ',', -60},  {'y', '.', -60},
};

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

// Pair values follow the face's proportions; monospaced faces never kern.
int32_t ScaleToFace(const FontFace& face, int32_t value) {
  if (value == 0 || face.GetDesign() == FontDesign::kMono) return 0;
  double scale = static_cast<double>(face.GetAdvance('n')) / BaseAdvance('n');
  return static_cast<int32_t>(std::lround(value * scale));
}

}  // namespace

int32_t MetricsKerningMethod::GetKerning(const FontFace& face, char32_t left, char32_t right) const {
  for (const auto& pair : kPairs) {
    if (static_cast<char32_t>(pair.left) == left && static_cast<char32_t>(pair.right) == right)
      return ScaleToFace(face, pair.value);
  }
  return 0;
}

int32_t OpticalKerningMethod::GetKerning(const FontFace& face, char32_t left, char32_t right) const {
  return ScaleToFace(face, OpticalPair(RightSide(left), LeftSide(right)));
}
