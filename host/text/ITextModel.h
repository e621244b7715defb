// ITextModel: a story: UTF-16 text that always ends in a paragraph return, with two strands of runs. The
// paragraph strand has one run per paragraph (a paragraph ends with its return, which carries the
// paragraph's attributes); the character strand has runs of equal character attributes, in canonical form
// (no empty runs, no equal neighbours). Each run holds a style UID and a list of overrides.
//
// Positions are UTF-16 code-unit indexes. Reading is open to everyone; the changing operations are for the
// text commands (InsertTextCmd ...), which call them inside an undo step.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "host/core/IPMUnknown.h"
#include "host/text/AttributeBossList.h"
#include "host/text/ParagraphRuns.h"
#include "host/text/RunAttributes.h"
#include "host/text/TextIDs.h"

inline constexpr char16_t kParagraphReturn = u'\r';
// Longest story the host keeps; inserts beyond it fail.
inline constexpr int32_t kMaxStoryLength = 0x3FFFFFFF;

enum class TextStrand : uint8_t { kParagraph = 0, kCharacter = 1 };

// A run of a strand: [start, end) with its style and overrides.
struct TextRun {
  int32_t start = 0;
  int32_t end = 0;
  UID style;
  AttrListRef overrides = EmptyAttributeList();
  int32_t Length() const { return end - start; }
};

// A piece of styled text, as CopyText moves it between stories: the text, the paragraph attributes of each
// paragraph return in it (in order, as runs of paragraphs that take the same), and character runs covering
// the text.
struct StyledText {
  using Attributes = RunAttributes;
  // A story holds a run per change of character attributes, so a run is kept small: its length sits in the
  // padding at the end of its attributes (24 bytes rather than 32).
  struct CharacterRun {
    CharacterRun(int32_t length = 0, Attributes attributes = {})  // NOLINT(google-explicit-constructor)
        : attributes(std::move(attributes)), length(length) {}

    [[no_unique_address]] Attributes attributes;
    int32_t length;
  };
  std::u16string text;
  ParagraphRuns paragraphs;
  std::vector<CharacterRun> runs;
};
static_assert(sizeof(void*) != 8 || sizeof(StyledText::CharacterRun) == sizeof(RunAttributes),
              "a run's length fits in the padding of its attributes");

class ITextModel : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTMODEL.Get() };

  // Length including the final paragraph return (0 only for a story never set up).
  virtual int32_t TotalLength() const = 0;
  // The text of [start, end), clamped to the story.
  virtual std::u16string GetText(int32_t start, int32_t end) const = 0;
  // Copies up to `capacity` units from `start`; answers how many were copied.
  virtual int32_t CopyText(int32_t start, char16_t* buffer, int32_t capacity) const = 0;
  // The unit at `position`, or 0 outside the story.
  virtual char16_t GetChar(int32_t position) const = 0;

  virtual int32_t CountParagraphs() const = 0;
  // The paragraph holding `position` (positions past the end answer the last paragraph).
  virtual int32_t ParagraphIndexAt(int32_t position) const = 0;
  // Paragraph `index` (clamped to the story's paragraphs): its range, ending after its return, and its
  // paragraph style and overrides.
  virtual TextRun GetParagraphRun(int32_t index) const = 0;
  virtual int32_t CountCharacterRuns() const = 0;
  virtual int32_t CharacterRunIndexAt(int32_t position) const = 0;
  virtual TextRun GetCharacterRun(int32_t index) const = 0;
  // The run of `strand` holding `position` (clamped to the story).
  virtual TextRun GetRunAt(TextStrand strand, int32_t position) const = 0;
  // Calls `visit` with each run of `strand` that overlaps [start, end), in order (whole runs, not clipped),
  // until it answers false. An empty range visits the run holding `start`.
  virtual void VisitRuns(TextStrand strand, int32_t start, int32_t end,
                         const std::function<bool(const TextRun&)>& visit) const = 0;
  // The text of [start, end) with its paragraph and character attributes.
  virtual StyledText GetStyledText(int32_t start, int32_t end) const = 0;
  // Checks every invariant of the story (final return, one paragraph record per return, canonical runs,
  // strands covering the text, consistent indexes). Empty when sound, else the first fault found.
  virtual std::string Check() const = 0;

  // Changes, for the text commands. Each answers kSuccess, or kInvalidParameterError (nothing changes) for
  // a range outside the story, a range that would take the final return, or a story that would grow past
  // kMaxStoryLength.
  //
  // Sets up an empty story: one paragraph return with the given paragraph and character styles.
  virtual ErrorCode Initialize(UID paragraphStyle, UID characterStyle) = 0;
  // Inserts `text` before `position` (0 .. TotalLength() - 1). New paragraphs take the attributes of the
  // paragraph they are split from; the text takes the character attributes of the character before the
  // position, or of the character at it at the start of a paragraph.
  virtual ErrorCode Insert(int32_t position, std::u16string_view text) = 0;
  // Inserts styled text before `position` (0 .. TotalLength() - 1): each paragraph return keeps its
  // paragraph attributes, the last (unterminated) part joins the paragraph at `position`. The story takes
  // what it is given (pass a copy to keep one).
  virtual ErrorCode InsertStyled(int32_t position, StyledText styled) = 0;
  // Deletes [start, end) (end at most TotalLength() - 1). Deleting a paragraph return joins the paragraph
  // to the next one, whose attributes the joined paragraph takes.
  virtual ErrorCode Delete(int32_t start, int32_t end) = 0;
  // Sets the style of [start, end); on the paragraph strand, of every paragraph the range touches (an empty
  // range: the paragraph holding `start`). With `clearOverrides` the overrides there are removed too.
  virtual ErrorCode ApplyStyle(TextStrand strand, int32_t start, int32_t end, UID style,
                               bool clearOverrides) = 0;
  // Adds `overrides` to the overrides of [start, end) (paragraph strand: whole paragraphs, as ApplyStyle).
  virtual ErrorCode ApplyOverrides(TextStrand strand, int32_t start, int32_t end,
                                   const AttributeBossList& overrides) = 0;
  // Removes the overrides of `classes` (all overrides when `classes` is empty) from [start, end).
  virtual ErrorCode ClearOverrides(TextStrand strand, int32_t start, int32_t end,
                                   std::span<const ClassID> classes) = 0;
};
