// RecomposeCmd: composes the stories of its item list (stories, or text frames standing for their
// stories) synchronously, to the end of their text or of their frames. Refused (nothing composed) when an
// item is neither a story nor a text frame. Composition results are derived data: undoing the command
// undoes nothing, and later edits recompose as usual.
#pragma once

#include "host/cmd/Command.h"

class RecomposeCmd final : public Command {
 public:
  explicit RecomposeCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Recompose"; }
};
