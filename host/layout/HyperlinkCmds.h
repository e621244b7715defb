// The commands that change the document's hyperlinks, destinations and text anchors, and the data
// plug-ins keep on page items. They announce their change on IID_IHYPERLINKCHANGES.
#pragma once

#include "host/layout/IHyperlinkCmdData.h"
#include "host/layout/LayoutCommand.h"

class HyperlinkCommand : public LayoutCommand {
 protected:
  explicit HyperlinkCommand(Boss* boss) : LayoutCommand(boss, IID_IHYPERLINKCHANGES) {}
  HyperlinkParams& Data() const;
};

// Adds `destination`, or replaces the destination of its name (hyperlinks to it follow). Refused for an
// empty name, an empty URL, a page that is no page, an anchor that is no text anchor, or a fixed zoom
// outside 5 to 4000 %.
class SetDestinationCmd final : public HyperlinkCommand {
 public:
  explicit SetDestinationCmd(Boss* boss) : HyperlinkCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Set Destination"; }
};

// Adds `hyperlink` to the destination named `destinationName`; without a name it is the first free
// "Hyperlink N". Refused for a taken name, an unknown destination, a source that names nothing (a text
// range outside its story, an item that is no page item, an anchor that is no text anchor) or an
// appearance out of range.
class NewHyperlinkCmd final : public HyperlinkCommand {
 public:
  explicit NewHyperlinkCmd(Boss* boss) : HyperlinkCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Hyperlink"; }
};

// Deletes the hyperlink `name` (its destination stays).
class DeleteHyperlinkCmd final : public HyperlinkCommand {
 public:
  explicit DeleteHyperlinkCmd(Boss* boss) : HyperlinkCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Delete Hyperlink"; }
};

// Puts the text anchor `name` (a page anchor when `pageAnchor`) before `position` of `story`: a new
// U+FEFF carrying it. An anchor of that name elsewhere moves here, its old character deleted. The item
// list receives the anchor.
class CreateTextAnchorCmd final : public HyperlinkCommand {
 public:
  explicit CreateTextAnchorCmd(Boss* boss) : HyperlinkCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "New Text Anchor"; }

 private:
  // The anchor named `name`, made when there is none; its old character, if any, deleted.
  UID TakeAnchor(const HyperlinkParams& p, int32_t& position);
};

// Sets (or with `remove`, removes) the block `dataID` of the items of the item list to `bytes`. Refused
// for ID 0 and blocks longer than kMaxPlugInBytes.
class SetItemPlugInDataCmd final : public HyperlinkCommand {
 public:
  explicit SetItemPlugInDataCmd(Boss* boss) : HyperlinkCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Set Plug-In Data"; }
};
