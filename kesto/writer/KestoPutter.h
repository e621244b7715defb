// KestoPutter: the writer of the Kesto tag language: the header, the walk over a story's paragraphs and
// character runs, the escapes of text characters, the attribute tags of paragraphs and runs (written
// against what the reader will already have in force, so that only differences appear) and the
// style-sheet definition lines.
#pragma once

#include <string_view>

#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/writer/CTaggedTextPutter.h"
#include "kesto/writer/ChangedClasses.h"
#include "kesto/writer/TextRuns.h"

namespace kesto {

class KestoPutter : public CTaggedTextPutter {
 public:
  // Its buffer holds 256 units.
  KestoPutter() : CTaggedTextPutter(-1) {}

  // The header, then the base operation.
  int32_t PutStory(const VyBaseStory& story, int32_t start, int32_t end, ITagPutterAgent* agent) override;
  int32_t PutCharacterStyle(const K2AttributeSetMgr& style) override;
  int32_t PutParagraphStyle(const K2AttributeSetMgr& style) override;
  int32_t PutStoryRange(const VyBaseStory& story, int32_t start, int32_t end) override;

  // "<v7.00><eN>" and a return, unless fragment mode leaves it out; resets the tag-group state.
  void PutHeader();

  // ---- Tags. With grouping on, the tags of one paragraph, run or definition share one "<...>".
  void OpenTag(std::string_view name);
  void CloseTag();
  void PutTag(std::string_view name);
  // "<name:" return ">": a paragraph return with a break.
  void PutBreakTag(std::string_view name);
  // Grouping around one set of attribute tags (unless one attribute per tag is asked for).
  void BeginGroup();
  void EndGroup();

  // "@name:" at a paragraph start; true when a style other than the root was written.
  bool PutParagraphStyleTag(const K2AttributeSetMgr& paragraph);
  // "<@name>"; true when a real style was written. `state` (a character manager) becomes what the reader
  // holds after the tag.
  bool PutCharacterStyleTag(const K2AttributeSetMgr& paragraph, const K2AttributeSetMgr& run);
  // The attribute tags of `current` against `base` (what the reader has in force; null for nothing
  // known), with `context` (the paragraph) standing in for values the current manager lacks.
  void PutCharacterAttributes(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                              const K2AttributeSetMgr* context);
  void PutParagraphAttributes(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base);

  // The character style the reader applies along with paragraph style `paragraph` ("@name:").
  static UID CharacterStyleAfterParagraphStyle(const K2AttributeSetMgr& paragraph);

 private:
  class StoryWalk;
  friend class StoryWalk;

  // The on/off tags N and G.
  void PutSwitch(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                 const K2AttributeSetMgr* context, ClassID cls, std::string_view tag);
  void PutTypeStyle(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                    const K2AttributeSetMgr* context);
  void PutFont(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
               const K2AttributeSetMgr* context);
  void PutFeatures(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                   const K2AttributeSetMgr* context);
  void PutColorValue(IDataBase* db, UID swatch, bool ruleColor);
  void PutRule(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base, bool above);
  void PutTabStops(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base);
  // "(first,second)".
  void PutIntegerPair(int32_t first, int32_t second);
  void PutQuotedStyleName(IDataBase* db, UID style, StyleKind kind);
  // Text of [start, end) of `story` with its escapes; `paragraph` gives the break of a return, `run` the
  // page-number kind; the story's final return is not written.
  void PutRunText(const ITextModel& story, int32_t start, int32_t end, const K2AttributeSetMgr& paragraph,
                  const K2AttributeSetMgr& run);
  // `next` is the unit that follows in the text (0 for none or unknown).
  void PutSpecialCharacter(char32_t c, char16_t next, const K2AttributeSetMgr& paragraph,
                           const K2AttributeSetMgr& run);
  // "<\#U" and at least four hexadecimal digits.
  void PutNumericCharacter(char32_t c);

  ChangedClasses changed_;  // of the attributes being written against their base
  bool defining_ = false;   // a style-sheet definition line is being written
  bool grouping_ = false;
  bool groupOpen_ = false;
  int32_t listPosition_ = 0;
  int32_t finalReturn_ = -1;  // story index of the final return while a story is written
};

}  // namespace kesto
