// DeleteTextCmd: deletes the range of its ITextRangeData from the story of its item list.
#pragma once

#include "host/text/TextCommand.h"

class DeleteTextCmd final : public TextCommand {
 public:
  explicit DeleteTextCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override;
};
