// Font faces and their metrics.
#include "host/res/FontFace.h"

#include <cmath>

namespace {

// U+0020..U+007E of the master design.
constexpr uint16_t kAscii[95] = {
    270, 280, 360, 560, 560, 880, 670,  200, 330, 330, 390, 580, 270, 330, 270, 290,  // space .. /
    560, 560, 560, 560, 560, 560, 560,  560, 560, 560,                                // 0 .. 9
    280, 280, 580, 580, 580, 550, 1000,                                               // : .. @
    660, 660, 720, 720, 660, 610, 780,  720, 280, 500, 670, 560, 830,                 // A .. M
    720, 780, 660, 780, 720, 660, 610,  720, 660, 940, 660, 660, 610,                 // N .. Z
    280, 290, 280, 470, 560, 330,                                                     // [ .. `
    550, 560, 500, 560, 550, 290, 560,  560, 230, 230, 510, 230, 840,                 // a .. m
    560, 560, 560, 560, 340, 500, 290,  560, 500, 720, 500, 500, 500,                 // n .. z
    330, 260, 330, 580,                                                               // { .. ~
};

// U+00A0..U+00BF.
constexpr uint16_t kLatinSymbols[32] = {
    270, 330, 560, 560, 560, 560, 260, 560, 330, 740, 370, 560, 580, 0,   740, 330,
    400, 580, 330, 330, 330, 560, 540, 280, 330, 330, 370, 560, 830, 830, 830, 610,
};

// U+00C0..U+00FF: the base letter of an accented letter, or '#' where kLatinOwn gives the width.
constexpr char kLatinBase[65] = "AAAAAA#CEEEEIIII#NOOOOO#OUUUUY##aaaaaa#ceeeeiiii#nooooo#ouuuuy#y";

uint16_t LatinOwnWidth(char32_t c) {
  switch (c) {
    case 0xC6:
      return 1000;  // AE
    case 0xD0:
      return 720;  // Eth
    case 0xD7:
      return 580;  // multiplication sign
    case 0xDE:
      return 660;  // Thorn
    case 0xDF:
      return 610;  // sharp s
    case 0xE6:
      return 880;  // ae
    case 0xF0:
      return 560;  // eth
    case 0xF7:
      return 580;  // division sign
    case 0xFE:
      return 560;  // thorn
    default:
      return 560;
  }
}

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsZeroWidth(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x300 && c <= 0x36F) ||
         (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
         c == 0xFEFF || c == 0xFFFC;
}

int32_t GeneralPunctuation(char32_t c) {
  switch (c) {
    case 0x2000:
    case 0x2002:
      return 500;  // en quad, en space
    case 0x2001:
    case 0x2003:
      return 1000;  // em quad, em space
    case 0x2004:
      return 333;
    case 0x2005:
      return 250;
    case 0x2006:
      return 167;
    case 0x2007:
    case 0x2012:
      return kAscii['0' - 0x20];  // figure space, figure dash
    case 0x2008:
      return kAscii['.' - 0x20];  // punctuation space
    case 0x2009:
      return 200;
    case 0x200A:
      return 100;
    case 0x2010:
    case 0x2011:
      return kAscii['-' - 0x20];
    case 0x2013:
      return 500;
    case 0x2014:
    case 0x2015:
    case 0x2026:
    case 0x2030:
    case 0x2122:
      return 1000;
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
      return 220;
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
      return 380;
    case 0x2020:
    case 0x2021:
    case 0x20AC:
      return 560;
    case 0x2022:
      return 350;
    case 0x2032:
      return 190;
    case 0x2033:
      return 340;
    case 0x2039:
    case 0x203A:
      return 330;
    case 0x2044:
      return 170;
    default:
      return -1;
  }
}

double WeightFactor(int32_t weight) {
  // Heavier strokes widen the letters: 1 at 400, 1.08 at 700, linear between and beyond.
  return 1.0 + (weight - kRegularWeight) * (0.08 / 300.0);
}

double StretchFactor(FontStretch stretch) {
  switch (stretch) {
    case FontStretch::kNarrow:
      return 0.88;
    case FontStretch::kCondensed:
      return 0.8;
    case FontStretch::kNormal:
      break;
  }
  return 1.0;
}

double DesignFactor(FontDesign design) {
  switch (design) {
    case FontDesign::kSerif:
      return 0.96;
    case FontDesign::kScript:
      return 0.9;
    case FontDesign::kSans:
    case FontDesign::kMono:
      break;
  }
  return 1.0;
}

// lround for the non-negative widths of a face: x minus its integer part is exact, so the half is judged
// exactly as lround judges it, without a library call per character.
int32_t RoundWidth(double x) {
  auto whole = static_cast<int32_t>(x);
  return x - whole >= 0.5 ? whole + 1 : whole;
}

}  // namespace

int32_t BaseAdvance(char32_t c) {
  if (IsZeroWidth(c)) return 0;
  if (c >= 0x20 && c <= 0x7E) return kAscii[c - 0x20];
  if (c >= 0xA0 && c <= 0xBF) return kLatinSymbols[c - 0xA0];
  if (c >= 0xC0 && c <= 0xFF) {
    char base = kLatinBase[c - 0xC0];
    return base == '#' ? LatinOwnWidth(c) : kAscii[base - 0x20];
  }
  if (int32_t w = GeneralPunctuation(c); w >= 0) return w;
  if (IsWide(c)) return 1000;
  return 560;
}

FontFace::FontFace(WideString family, WideString face, int32_t weight, bool italic, FontStretch stretch,
                   FontDesign design)
    : family_(std::move(family)),
      face_(std::move(face)),
      weight_(weight),
      italic_(italic),
      stretch_(stretch),
      design_(design),
      scale_(WeightFactor(weight) * StretchFactor(stretch) * DesignFactor(design)) {
  // Every face of the catalog is built at once, so the master widths are worked out once for all of them.
  static const std::array<uint16_t, 256> kBase = [] {
    std::array<uint16_t, 256> base{};
    for (char32_t c = 0; c < base.size(); ++c)
      base[c] = static_cast<uint16_t>(BaseAdvance(c));
    return base;
  }();
  for (size_t c = 0; c < latin_.size(); ++c) {
    int32_t base = kBase[c];
    // A monospaced face sets every printing character, spaces included, in a cell 600 wide.
    latin_[c] = static_cast<uint16_t>(design_ == FontDesign::kMono ? (base == 0 ? 0 : 600)
                                                                   : RoundWidth(base * scale_));
  }
}

int32_t FontFace::GetAdvance(char32_t c) const {
  if (c < latin_.size()) return latin_[c];
  int32_t base = BaseAdvance(c);
  if (design_ == FontDesign::kMono) return base == 0 ? 0 : (IsWide(c) ? 1200 : 600);
  return static_cast<int32_t>(std::lround(base * scale_));
}

int32_t FontFace::GetAscent() const {
  return design_ == FontDesign::kScript ? 780 : 750;
}

int32_t FontFace::GetXHeight() const {
  return design_ == FontDesign::kSerif ? 450 : 520;
}

WideString FontFace::GetPostScriptName() const {
  WideString name;
  for (char16_t c : family_) {
    if (c != u' ') name.push_back(c);
  }
  name.push_back(u'-');
  for (char16_t c : face_) {
    if (c != u' ') name.push_back(c);
  }
  return name;
}
