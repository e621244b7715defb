// DeleteStoryCmd: deletes the stories its item list names (with their storage) and removes them from the
// document's story list. Fails (changing nothing) when an item is not a story. The document's observers
// hear one story change per deleted story (its whole length deleted); the stories themselves are gone.
#pragma once

#include <vector>

#include "host/text/TextCommand.h"

class DeleteStoryCmd final : public TextCommand {
 public:
  explicit DeleteStoryCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  void DoNotify() override;
  std::string CreateName() const override { return "Delete Story"; }

 private:
  std::vector<TextChange> deleted_;
};
