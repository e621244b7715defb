// InsertTextCmd: inserts text into the story of its item list at the position of its ITextRangeData (start);
// the text is its IStringData.
#pragma once

#include "host/text/TextCommand.h"

class InsertTextCmd final : public TextCommand {
 public:
  explicit InsertTextCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override;
};
