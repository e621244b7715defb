// ApplyParaStyleCmd and ApplyCharStyleCmd: apply the style of their IUIDData (a paragraph, respectively a
// character style of the document) to the range of their ITextRangeData in the story of their item list;
// the paragraph style goes to every paragraph the range touches. With their IBoolData set, the overrides
// there are removed as well.
#pragma once

#include "host/text/IStyleInfo.h"
#include "host/text/TextCommand.h"

class ApplyTextStyleCmd : public TextCommand {
 protected:
  ApplyTextStyleCmd(Boss* boss, StyleKind kind) : TextCommand(boss), kind_(kind) {}
  void Do() override;

 private:
  StyleKind kind_;
};

class ApplyParaStyleCmd final : public ApplyTextStyleCmd {
 public:
  explicit ApplyParaStyleCmd(Boss* boss) : ApplyTextStyleCmd(boss, StyleKind::kParagraph) {}

 protected:
  std::string CreateName() const override { return "Apply Paragraph Style"; }
};

class ApplyCharStyleCmd final : public ApplyTextStyleCmd {
 public:
  explicit ApplyCharStyleCmd(Boss* boss) : ApplyTextStyleCmd(boss, StyleKind::kCharacter) {}

 protected:
  std::string CreateName() const override { return "Apply Character Style"; }
};
