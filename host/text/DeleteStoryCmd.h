// DeleteStoryCmd: deletes the stories its item list names (with their storage) and removes them from the
// document's story list. Fails (changing nothing) when an item is not a story.
#pragma once

#include "host/text/TextCommand.h"

class DeleteStoryCmd final : public TextCommand {
 public:
  explicit DeleteStoryCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  void DoNotify() override { Command::DoNotify(); }
  std::string CreateName() const override { return "Delete Story"; }
};
