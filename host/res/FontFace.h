// FontFace: one installed face of a font family: its names, the file and index fontconfig lists it under,
// and its metrics from FreeType in the face's design units (unhinted, so composition never depends on a
// rendering resolution). The file is opened on first use; a file that is damaged or has gone leaves the face
// unusable, which callers treat as a missing face.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/core/WideString.h"

struct hb_font_t;

// Weights in the usual 100..900 scale; a face counts as bold from kBoldWeight up.
inline constexpr int32_t kRegularWeight = 400;
inline constexpr int32_t kBoldWeight = 700;
// Widths as fontconfig gives them: 100 normal, 87 semi-condensed, 75 condensed ...
inline constexpr int32_t kNormalWidth = 100;

// Vertical metrics in design units; the descender is positive below the baseline, the underline and
// strike-through positions are the tops of their strokes above the baseline (negative below).
struct FontMetrics {
  int32_t unitsPerEm = 1000;
  int32_t ascender = 800;
  int32_t descender = 200;
  int32_t capHeight = 700;
  int32_t xHeight = 500;
  int32_t underlinePosition = -100;
  int32_t underlineThickness = 50;
  int32_t strikeoutPosition = 300;
  int32_t strikeoutThickness = 50;
};

class FontFace {
 public:
  // A face with no file: never usable, with plain metrics; what composition falls back on when a machine has
  // no fonts at all.
  FontFace();
  FontFace(WideString family, WideString face, std::string filePath, int32_t fileIndex, int32_t weight,
           bool italic, int32_t width);
  FontFace(FontFace&&) noexcept;
  FontFace& operator=(FontFace&&) noexcept;
  ~FontFace();

  const WideString& GetFamilyName() const { return family_; }
  const WideString& GetFaceName() const { return face_; }
  // The two forms of the full name: "DejaVu Serif Bold Italic" and, without spaces, "DejaVuSerif-BoldItalic".
  WideString GetFullName() const { return family_ + u" " + face_; }
  WideString GetPostScriptName() const;
  const std::string& GetFilePath() const { return filePath_; }
  int32_t GetFileIndex() const { return fileIndex_; }
  int32_t GetWeight() const { return weight_; }
  bool IsBold() const { return weight_ >= kBoldWeight; }
  bool IsItalic() const { return italic_; }
  int32_t GetWidth() const { return width_; }

  // Opens the file the first time; false when it cannot be read as a font.
  bool IsUsable() const;
  bool IsMonospaced() const;
  // The plain metrics above when the face is unusable.
  const FontMetrics& GetMetrics() const;
  // HarfBuzz's font on the face's FreeType face, scaled to design units; nullptr when unusable. Owned by
  // the face.
  hb_font_t* GetShapingFont() const;

  // The nominal advance of `c` in 1/1000 em, without shaping; 0 when the face has no glyph for it.
  double GetAdvance(char32_t c) const;
  // Vertical metrics in 1/1000 em; the descent is positive below the baseline.
  double GetAscent() const { return ToThousandths(GetMetrics().ascender); }
  double GetDescent() const { return ToThousandths(GetMetrics().descender); }
  double GetCapHeight() const { return ToThousandths(GetMetrics().capHeight); }
  double GetXHeight() const { return ToThousandths(GetMetrics().xHeight); }

 private:
  struct Loaded;
  const Loaded* Load() const;
  double ToThousandths(int32_t units) const { return units * 1000.0 / GetMetrics().unitsPerEm; }

  WideString family_;
  WideString face_;
  std::string filePath_;
  int32_t fileIndex_ = 0;
  int32_t weight_ = kRegularWeight;
  bool italic_ = false;
  int32_t width_ = kNormalWidth;
  mutable std::unique_ptr<Loaded> loaded_;
  mutable bool tried_ = false;
};
