// CopyTextCmd: replaces the range of its ITextRangeData in the story of its item list with a copy of a range
// of another story (or the same one) of the same document, given by its ITextCopyData: the text with its
// character runs and the paragraph attributes of the paragraph returns it holds; or with styled text given
// with the command.
#pragma once

#include "host/text/TextCommand.h"

class CopyTextCmd final : public TextCommand {
 public:
  explicit CopyTextCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override;

 private:
  // Replaces [start, end) of `target` with `styled`.
  void Replace(ITextModel& target, int32_t start, int32_t end, StyledText styled);
};
