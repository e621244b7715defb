// HostTagPutter: the writer of the host's own tagged-text dialect: paragraph and character style tags,
// the host attributes' own tags for overrides (written against the previous paragraph or run, so that only
// changes appear, a removed override as an empty tag), and text with the dialect's escapes. It writes no
// encoding header: the caller chooses the encoding and puts the header in front.
#pragma once

#include <string_view>

#include "host/db/XferBytesStream.h"
#include "host/text/ITextAttribute.h"
#include "kesto/writer/CTaggedTextPutter.h"
#include "kesto/writer/TagXferAgent.h"

namespace kesto {

// Tags by their short names ("pstyle", the attributes' short names) instead of the long ones.
inline constexpr uint32_t kPutShortTagNames = 0x10000;

class HostTagPutter : public CTaggedTextPutter {
 public:
  // Its buffer holds 256 units.
  HostTagPutter();

  int32_t PutStoryRange(const VyBaseStory& story, int32_t start, int32_t end) override;

  // ---- Pieces of the dialect, each written as it appears in the output.
  // "<ParaStyle:name>" or "<CharStyle:name>" (short: "pstyle", "cstyle"); the empty name stands for the
  // root style.
  void PutStyleTag(StyleKind kind, std::u16string_view name);
  // A style name with its escapes: '<', '>', '\' and '|' get a backslash, a colon of the name becomes
  // three backslashes and the colon, and the group separator becomes a backslash and a colon.
  void PutEscapedStyleName(std::u16string_view name);
  // "<tag:value>" for `attribute`, or "<tag:>" (the override is removed) when `attribute` is null. Nothing
  // for a class without tag names, or whose value writes no text. Names of swatches, fonts and the like are
  // looked up in `db`.
  void PutAttributeTag(const IDataBase* db, ClassID cls, const ITextAttribute* attribute);
  // The tags that turn the overrides `base` (null: none) into `current` (null: none): removals first, then
  // the values that are new or changed.
  void PutOverrideChanges(const IDataBase* db, const AttributeBossList* current,
                          const AttributeBossList* base);
  // One character of text: '<', '>' and '\' with a backslash; tab and return as they are; other control
  // characters, and characters the encoding cannot hold, as "<0xXXXX>".
  void PutTextCharacter(char32_t c);

 private:
  class StoryWalk;

  // Plain 8-bit text through the host stream, as the attributes' own routines would write it.
  void PutBytes(std::string_view bytes);
  void PutNumericCharacter(char32_t c);
  // [start, end) of the story's text; the story's own final return is left out.
  void PutRunText(const ITextModel& story, int32_t start, int32_t end, int32_t finalReturn);

  TagXferAgent xfer_;
  XferBytesStream stream_;
};

}  // namespace kesto
