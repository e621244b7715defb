// The WebP header reader: libwebp's feature query reads the RIFF and VP8/VP8L/VP8X headers only. WebP
// carries no resolution of its own.
#include <webp/decode.h>

#include "host/image/PictureHeaders.h"

ErrorCode ReadWebPHeader(const uint8_t* data, size_t size, PictureInfo& info) {
  if (SniffPictureFormat(data, size) != PictureFormat::kWebP) return kPictureFormatError;
  WebPBitstreamFeatures features{};
  if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK) return kPictureDamagedError;
  info = PictureInfo{.format = PictureFormat::kWebP, .width = features.width, .height = features.height};
  return FinishPictureInfo(info);
}
