// IImageContent: what an image item holds besides its geometry: the picture's header values, the link
// resource of its file, and whether it shows a proxy because the file was missing when it was placed or
// last updated. The item's bounds are the picture's natural size (pixels at their resolution) placed in the
// frame's spread; its transform (about the bounds' centre) is the content transform.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/image/PictureInfo.h"
#include "host/layout/PictureIDs.h"

class IImageContent : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IIMAGECONTENT.Get() };
  virtual const PictureInfo& GetInfo() const = 0;
  virtual void SetInfo(const PictureInfo& info) = 0;
  virtual UID GetLink() const = 0;  // a kLinkResourceBoss; kInvalidUID when the picture has no file
  virtual void SetLink(UID link) = 0;
  virtual bool IsProxy() const = 0;
  virtual void SetProxy(bool proxy) = 0;
};
