// IHyperlinkCmdData: the parameters of the hyperlink, text-anchor and item plug-in data commands. Each
// command reads the members its description names.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IHyperlinkTable.h"
#include "host/layout/IItemPlugInData.h"

struct HyperlinkParams {
  HyperlinkDestination destination;  // SetDestinationCmd
  Hyperlink hyperlink;               // NewHyperlinkCmd (its destination is named by `destinationName`)
  WideString destinationName;
  WideString name;  // CreateTextAnchorCmd: the anchor; DeleteHyperlinkCmd: the hyperlink
  bool pageAnchor = false;
  UID story;  // CreateTextAnchorCmd: where the anchor goes
  int32_t position = 0;
  uint32_t dataID = 0;  // SetItemPlugInDataCmd: the block, its bytes, or its removal
  PlugInBytes bytes;
  bool remove = false;
};

class IHyperlinkCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IHYPERLINKCMDDATA.Get() };
  virtual HyperlinkParams& Params() = 0;
};

class HyperlinkCmdData final : public CPMUnknown<IHyperlinkCmdData> {
 public:
  explicit HyperlinkCmdData(Boss* boss) : CPMUnknown(boss) {}
  HyperlinkParams& Params() override { return params_; }

 private:
  HyperlinkParams params_;
};
