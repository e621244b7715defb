// ApplyOverridesCmd: adds the attributes of its ITextAttributeData as overrides to the range of its
// ITextRangeData, on the strand its ITextAttributeData names. Paragraph attributes always cover the whole
// paragraphs the range touches, also when given for the character strand.
#pragma once

#include "host/text/TextCommand.h"

class ApplyOverridesCmd final : public TextCommand {
 public:
  explicit ApplyOverridesCmd(Boss* boss) : TextCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Apply Attributes"; }
};
