// TextShaper: the glyphs of a run of text as composition measures them, shaped by HarfBuzz on the run's face
// with the run's features. Composition shapes each piece of a line that lies within one character run word
// by word (WordEnd), so ShapeText on such a piece gives exactly the glyphs and advances the composer
// measured: a renderer that draws them from the line's x on its baseline draws what the composer decided.
//
// Shaped words are cached per face, features and text (in design units, so one entry serves every size);
// the same fonts always give the same glyphs.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/compose/RunFont.h"

struct ShapedGlyph {
  uint32_t glyph;   // glyph index in the face's file
  int32_t cluster;  // UTF-16 index in the text of the first character the glyph stands for
  double advance;   // points, after size and horizontal scale, tracking and manual kerning included
  double xOffset;   // points
  double yOffset;   // points, up
};

struct ShapedText {
  std::vector<ShapedGlyph> glyphs;  // in visual order, left to right
  double width = 0;                 // the sum of the advances
};

// The glyphs of `text` set in `font`. Control characters and U+FFFC take no glyph and no room; a character
// the face lacks takes the face's missing-glyph box. Empty when the face cannot be read.
ShapedText ShapeText(const RunFont& font, std::u16string_view text);

// Where the word that starts at `start` of `text` ends: after a space or a hyphen, before and after a control
// character or U+FFFC (each a word of its own), after kMaxWordLength code units, or at the end of the text.
size_t WordEnd(std::u16string_view text, size_t start);
inline constexpr size_t kMaxWordLength = 64;

// The advance in points of each UTF-16 code unit of one word (see WordEnd) set in `font`: each glyph's
// advance counts for the first character of its cluster, so the other characters of a ligature measure 0.
// `advances` receives word.size() values.
void MeasureWord(const RunFont& font, std::u16string_view word, std::vector<double>& advances);

// Spaces a line may break after (the no-break and figure spaces hold their neighbours together), and
// hyphens.
inline bool IsBreakingSpace(char16_t c) {
  return c == u' ' || c == u'\t' || (c >= 0x2000 && c <= 0x200A && c != 0x2007);
}
inline bool IsBreakingHyphen(char16_t c) {
  return c == u'-' || c == 0x2010 || c == 0x2013 || c == 0x2014;
}
