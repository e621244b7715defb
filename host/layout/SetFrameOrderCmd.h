// SetFrameOrderCmd: puts the frames of one story in a new order (its item list: every frame of the story,
// each once, in the order they are to show the text). The story is damaged from the first frame whose place
// changed, and observers hear kFrameListChange for its frame list. When pages move, a story flowing through
// them can be put back into page order this way without unlinking and relinking its text.
#pragma once

#include "host/layout/LayoutCommand.h"

class SetFrameOrderCmd final : public LayoutCommand {
 public:
  explicit SetFrameOrderCmd(Boss* boss) : LayoutCommand(boss, IID_IFRAMELIST) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Frame Order"; }
};

// Registers the command class.
ErrorCode RegisterFrameOrderCommand();
