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
  auto at = AttributeResolver::PlaceAt(story, run.start, false);
  f.leftIndent = ResolveNumber(at, kTextAttrLeftIndent);
  f.firstLineIndent = ResolveNumber(at, kTextAttrFirstLineIndent);
  f.rightIndent = ResolveNumber(at, kTextAttrRightIndent);
  f.spaceBefore = ResolveNumber(at, kTextAttrSpaceBefore);
  f.spaceAfter = ResolveNumber(at, kTextAttrSpaceAfter);
  f.alignment = static_cast<int32_t>(ResolveNumber(at, kTextAttrAlignment));
  int32_t kind = static_cast<int32_t>(ResolveNumber(at, kTextAttrBreakKind));
  f.breakKind = static_cast<BreakKind>(std::clamp(kind, 0, 5));
  f.keepAllLines = ResolveNumber(at, kTextAttrKeepAllLines) != 0;
  return f;
}
