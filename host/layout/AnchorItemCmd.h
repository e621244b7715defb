// AnchorItemCmd: makes the one item of its item list the object of the U+FFFC at text index `position` of
// the story `target` (or of the story shown in the text frame `target`), anchored as `anchor` says. The
// item leaves the spread hierarchy and follows the text from then on; the story's frames recompose from
// the frame holding the character. Refused when the item is locked or already anchored, when the index
// holds no U+FFFC or already an anchored item, or when the item holds a frame showing the story (directly,
// or through frames anchored in it).
#pragma once

#include "host/layout/LayoutCommand.h"

class AnchorItemCmd final : public LayoutCommand {
 public:
  explicit AnchorItemCmd(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Anchor Object"; }
};
