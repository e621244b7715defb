// IPictureCmdData: the parameters of the picture commands, and PictureCmdData, its implementation. The
// file is read before the command runs (undo and redo never read it again), so the command carries what
// was read.
#pragma once

#include <string>

#include "host/core/CPMUnknown.h"
#include "host/layout/IImageContent.h"
#include "host/layout/ILinkResource.h"
#include "host/layout/IPlacementOptions.h"

struct PictureParams {
  LinkData link;     // the file: its URI, type, stamp and the state found on reading it
  PictureInfo info;  // what its header declared; ignored for a missing file
  PlacementOptions options;
};

class IPictureCmdData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPICTURECMDDATA.Get() };
  virtual PictureParams& Params() = 0;
};

class PictureCmdData final : public CPMUnknown<IPictureCmdData> {
 public:
  explicit PictureCmdData(Boss* boss) : CPMUnknown(boss) {}
  PictureParams& Params() override { return params_; }

 private:
  PictureParams params_;
};
