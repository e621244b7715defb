// The picture commands. Each is refused (saying why) for items of the wrong kind and for locked items.
#pragma once

#include "host/layout/LayoutCommand.h"
#include "host/layout/PictureCmdData.h"

// What the picture commands share: their parameters and the link resource of the parameters' URI.
class PictureCommand : public LayoutCommand {
 protected:
  explicit PictureCommand(Boss* boss) : LayoutCommand(boss, IID_IPAGEITEMCHANGES) {}
  PictureParams& Picture() const;
  // The document's link resource for the parameters' URI, made when there is none, holding the
  // parameters' link data; kInvalidUID after refusing the command.
  UID UpdatedLink();
  // Whether every item of the item list is of `cls`; refuses the command when not.
  bool ItemsAre(ClassID cls, const char* kind) const;
};

// Places the parameters' picture into each graphic frame of the item list, in place of what the frame
// held: a new image item of the picture's natural size at the frame's reference point, linked to the
// file's link resource; for a missing file, a proxy of the frame's size. The item list becomes the new
// image items.
class PlacePictureCmd final : public PictureCommand {
 public:
  explicit PlacePictureCmd(Boss* boss) : PictureCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Place"; }
};

// Links each image item of the item list to the parameters' file: the file's link resource takes the
// parameters' data; an image whose file was read takes its header values and natural size (keeping its
// top-left corner and transform); one whose file is missing keeps them and shows a proxy.
class RelinkCmd final : public PictureCommand {
 public:
  explicit RelinkCmd(Boss* boss) : PictureCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Relink"; }
};

// Sets the placement options of each graphic frame of the item list.
class SetPlacementOptionsCmd final : public PictureCommand {
 public:
  explicit SetPlacementOptionsCmd(Boss* boss) : PictureCommand(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "Frame Fitting Options"; }
};
