// FontFace: one installed face of a font family, with deterministic metrics: a fixed advance-width table
// shaped by the face's design, weight and width, so that composed text never depends on the fonts of a
// machine.
#pragma once

#include <array>
#include <cstdint>

#include "host/core/WideString.h"

enum class FontDesign : int32_t { kSans = 0, kSerif = 1, kScript = 2, kMono = 3 };
enum class FontStretch : int32_t { kNormal = 0, kNarrow = 1, kCondensed = 2 };

// Weights in the usual 100..900 scale; a face counts as bold from kBoldWeight up.
inline constexpr int32_t kRegularWeight = 400;
inline constexpr int32_t kBoldWeight = 700;

class FontFace {
 public:
  FontFace(WideString family, WideString face, int32_t weight, bool italic, FontStretch stretch,
           FontDesign design);

  const WideString& GetFamilyName() const { return family_; }
  const WideString& GetFaceName() const { return face_; }
  // The two forms of the full name: "Halden Serif Bold Italic" and, without spaces, "HaldenSerif-BoldItalic".
  WideString GetFullName() const { return family_ + u" " + face_; }
  WideString GetPostScriptName() const;
  int32_t GetWeight() const { return weight_; }
  bool IsBold() const { return weight_ >= kBoldWeight; }
  bool IsItalic() const { return italic_; }
  FontStretch GetStretch() const { return stretch_; }
  FontDesign GetDesign() const { return design_; }

  // Advance width of `c` in 1/1000 em: 0 for controls, format characters and combining marks; East Asian
  // wide characters take a full em (two cells in a monospaced face).
  int32_t GetAdvance(char32_t c) const;
  // Vertical metrics in 1/1000 em; the descent is positive below the baseline.
  int32_t GetAscent() const;
  int32_t GetDescent() const { return 250; }
  int32_t GetCapHeight() const { return 700; }
  int32_t GetXHeight() const;

 private:
  WideString family_;
  WideString face_;
  int32_t weight_;
  bool italic_;
  FontStretch stretch_;
  FontDesign design_;
  double scale_;
  std::array<uint16_t, 256> latin_;  // widths of U+0000..U+00FF, precomputed
};

// The width in 1/1000 em of `c` in the proportional master design every face is derived from.
int32_t BaseAdvance(char32_t c);
