// FrameOptionCmd: the text frame option commands, one class each: columns and gutter, insets, vertical
// justification, first baseline (type and minimum), paragraph-spacing limit. Each sets its part of the
// parameters' `options` on every text frame of the item list and damages the frame in its frame list.
// Refused when an item is no text frame or the value is out of range.
#pragma once

#include "host/layout/LayoutCommand.h"

class FrameOptionCmd final : public LayoutCommand {
 public:
  explicit FrameOptionCmd(Boss* boss) : LayoutCommand(boss, IID_ITEXTFRAMECHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Text Frame Options"; }

 private:
  // `options` with this command's part taken from the parameters; false when that part is out of range.
  bool Merge(FrameOptions& options) const;
};
