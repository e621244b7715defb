// TextLinkCmd: links frame A to frame B (its item list, in that order). B must be the first frame of its
// story S, and S not A's story D. Observers hear kFramesLinkedChange while A and B still belong to D and S;
// then B and the rest of S's frames go into D's frame list directly after A, S's text (without its final
// return) is appended to D's text as a new paragraph with its runs and the items anchored in it, S and its
// frame list are deleted, and D is damaged from A on. When S was the main story, D becomes the main story.
// Refused when a frame of D or S lies in an item anchored in text.
#pragma once

#include "host/layout/LayoutCommand.h"

class TextLinkCmd final : public LayoutCommand {
 public:
  explicit TextLinkCmd(Boss* boss) : LayoutCommand(boss, IID_ITEXTFRAMECHANGES) {}

 protected:
  void Do() override;
  // The command's own class (kFramesLinkedChange) was sent before the merge; only the later changes follow.
  void DoNotify() override { SendNoted(); }
  std::string CreateName() const override { return "Link Text Frames"; }

 private:
  ErrorCode AppendText(UID source, UID target);
};

// SetPrimaryTextFlowCmd: sets (`flag`) or clears the primary-text-flow flag of the stories of its item
// list. The flag is read when the command is done, so an observer of its before message may change it.
class SetPrimaryTextFlowCmd final : public LayoutCommand {
 public:
  explicit SetPrimaryTextFlowCmd(Boss* boss) : LayoutCommand(boss, IID_ISTORYCHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Primary Text Flow"; }
};
