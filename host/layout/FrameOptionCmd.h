// FrameOptionCmd: the text frame option commands, one class each: columns and gutter, insets, vertical
// justification, first baseline (type and minimum), paragraph-spacing limit. Each sets its part of the
// parameters' `options` on every text frame of the item list and damages the frame in its frame list.
// Refused when an item is no text frame or the value is out of range, and (saying why) when the columns
// and gutters a columns or insets command leaves do not fit between the frame's insets.
#pragma once

#include <string>

#include "host/layout/LayoutCommand.h"

// Why the columns of `options` do not fit in a frame with `bounds`: what the composer would set with a
// negative width; empty when they fit.
std::string ColumnsFault(const PMRect& bounds, const FrameOptions& options);

class FrameOptionCmd final : public LayoutCommand {
 public:
  explicit FrameOptionCmd(Boss* boss) : LayoutCommand(boss, IID_ITEXTFRAMECHANGES) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Text Frame Options"; }

 private:
  // `options` with this command's part taken from the parameters; why that part is out of range, or empty.
  std::string Merge(FrameOptions& options) const;
};
