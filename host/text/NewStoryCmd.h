// NewStoryCmd: creates an empty story (one paragraph return in the default paragraph style and the root
// character style) in the document of its target database and adds it to the document's story list.
// Afterwards its item list names the new story.
#pragma once

#include "host/text/TextCommand.h"

class NewStoryCmd final : public TextCommand {
 public:
  explicit NewStoryCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Story"; }
};
