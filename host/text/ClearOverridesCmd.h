// ClearOverridesCmd: removes from the range of its ITextRangeData the overrides of the classes its
// ITextAttributeData names (every override when it names none), on the strand it names; paragraph classes
// named for the character strand are cleared from the whole paragraphs the range touches.
#pragma once

#include "host/text/TextCommand.h"

class ClearOverridesCmd final : public TextCommand {
 public:
  explicit ClearOverridesCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Clear Overrides"; }
};
