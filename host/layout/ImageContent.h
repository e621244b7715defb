// ImageContent: the persistent IImageContent implementation of image items.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IImageContent.h"

class ImageContent final : public CPMUnknown<IImageContent> {
 public:
  explicit ImageContent(Boss* boss) : CPMUnknown(boss) {}
  const PictureInfo& GetInfo() const override { return info_; }
  void SetInfo(const PictureInfo& info) override;
  UID GetLink() const override { return link_; }
  void SetLink(UID link) override;
  bool IsProxy() const override { return proxy_; }
  void SetProxy(bool proxy) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  PictureInfo info_{.format = PictureFormat::kPng};
  UID link_;
  bool proxy_ = false;
};
