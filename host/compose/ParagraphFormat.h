// ParagraphFormat: the paragraph attributes composition uses, resolved once per paragraph.
#pragma once

#include "host/text/ITextModel.h"

enum class BreakKind : int32_t { kNone = 0, kColumn = 1, kFrame = 2, kPage = 3, kOddPage = 4, kEvenPage = 5 };

// Alignments 0 left, 1 centre, 2 right place the line; the justified ones (3 and up) start at the left
// indent like left-aligned lines, since composition records no spacing within a line.
enum class LineAlignment : int32_t { kLeft = 0, kCenter = 1, kRight = 2 };

struct ParagraphFormat {
  int32_t start = 0;
  int32_t end = 0;  // after the paragraph's return
  double leftIndent = 0;
  double firstLineIndent = 0;  // added to the left indent on the first line (may be negative)
  double rightIndent = 0;
  double spaceBefore = 0;
  double spaceAfter = 0;
  int32_t alignment = 0;
  BreakKind breakKind = BreakKind::kNone;  // the break after the paragraph
  bool keepAllLines = false;
};

ParagraphFormat ResolveParagraphFormat(const ITextModel* story, int32_t paragraphIndex);
