// Paragraph attributes for composition.
#include "host/compose/ParagraphFormat.h"

#include <algorithm>

#include "host/compose/RunFont.h"
#include "host/text/AttributeClasses.h"

ParagraphFormat ResolveParagraphFormat(const ITextModel* story, int32_t paragraphIndex) {
  TextRun run = story->GetParagraphRun(paragraphIndex);
  ParagraphFormat f;
  f.start = run.start;
  f.end = run.end;
  int32_t at = run.start;
  f.leftIndent = ResolveNumber(story, at, kTextAttrLeftIndent);
  f.firstLineIndent = ResolveNumber(story, at, kTextAttrFirstLineIndent);
  f.rightIndent = ResolveNumber(story, at, kTextAttrRightIndent);
  f.spaceBefore = ResolveNumber(story, at, kTextAttrSpaceBefore);
  f.spaceAfter = ResolveNumber(story, at, kTextAttrSpaceAfter);
  f.alignment = static_cast<int32_t>(ResolveNumber(story, at, kTextAttrAlignment));
  int32_t kind = static_cast<int32_t>(ResolveNumber(story, at, kTextAttrBreakKind));
  f.breakKind = static_cast<BreakKind>(std::clamp(kind, 0, 5));
  f.keepAllLines = ResolveNumber(story, at, kTextAttrKeepAllLines) != 0;
  return f;
}
