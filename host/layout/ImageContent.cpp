// Image items' content.
#include "host/layout/ImageContent.h"

#include "host/db/IPMStream.h"

void ImageContent::SetInfo(const PictureInfo& info) {
  if (info == info_) return;
  if (PreDirty() != kSuccess) return;
  info_ = info;
}

void ImageContent::SetLink(UID link) {
  if (link == link_) return;
  if (PreDirty() != kSuccess) return;
  link_ = link;
}

void ImageContent::SetProxy(bool proxy) {
  if (proxy == proxy_) return;
  if (PreDirty() != kSuccess) return;
  proxy_ = proxy;
}

void ImageContent::ReadWrite(IPMStream* stream, ImplementationID) {
  auto format = static_cast<int32_t>(info_.format);
  stream->XferInt32(format);
  info_.format = static_cast<PictureFormat>(format);
  stream->XferInt32(info_.width);
  stream->XferInt32(info_.height);
  stream->XferFinite(info_.ppiX, "a picture's resolution");
  stream->XferFinite(info_.ppiY, "a picture's resolution");
  stream->XferFinite(info_.widthPoints, "a picture's size");
  stream->XferFinite(info_.heightPoints, "a picture's size");
  stream->XferInt32(info_.page);
  stream->XferInt32(info_.pageCount);
  stream->Expect(info_.IsValid(), "a picture's format, size, resolution or page is out of range");
  stream->XferReference(link_);
  stream->XferBool(proxy_);
}
