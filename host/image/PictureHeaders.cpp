// Telling the formats apart by their first bytes, and what every reader does once it has the header.
#include "host/image/PictureHeaders.h"

#include <cmath>
#include <cstring>

namespace {

bool StartsWith(const uint8_t* data, size_t size, const char* magic, size_t at = 0) {
  size_t length = std::strlen(magic);
  return size >= at + length && std::memcmp(data + at, magic, length) == 0;
}

bool IsResolution(double ppi) {
  return std::isfinite(ppi) && ppi >= kMinPictureResolution && ppi <= kMaxPictureResolution;
}

}  // namespace

PictureFormat SniffPictureFormat(const uint8_t* data, size_t size) {
  if (StartsWith(data, size, "\x89PNG\r\n\x1a\n")) return PictureFormat::kPng;
  if (StartsWith(data, size, "\xff\xd8\xff")) return PictureFormat::kJpeg;
  if (StartsWith(data, size, "GIF87a") || StartsWith(data, size, "GIF89a")) return PictureFormat::kGif;
  if (StartsWith(data, size, "II*") || StartsWith(data, size, "MM") && StartsWith(data, size, "*", 3))
    return PictureFormat::kTiff;
  if (StartsWith(data, size, "RIFF") && StartsWith(data, size, "WEBP", 8)) return PictureFormat::kWebP;
  if (StartsWith(data, size, "%PDF-")) return PictureFormat::kPdf;
  return PictureFormat::kUnknown;
}

ErrorCode ReadPictureHeader(const uint8_t* data, size_t size, int32_t page, PictureInfo& info) {
  switch (SniffPictureFormat(data, size)) {
    case PictureFormat::kPng:
      return ReadPngHeader(data, size, info);
    case PictureFormat::kJpeg:
      return ReadJpegHeader(data, size, info);
    case PictureFormat::kGif:
      return ReadGifHeader(data, size, info);
    case PictureFormat::kTiff:
      return ReadTiffHeader(data, size, info);
    case PictureFormat::kWebP:
      return ReadWebPHeader(data, size, info);
    case PictureFormat::kPdf:
      return ReadPdfHeader(data, size, page, info);
    case PictureFormat::kUnknown:
      break;
  }
  return kPictureFormatError;
}

ErrorCode FinishPictureInfo(PictureInfo& info) {
  if (info.width < 0 || info.height < 0 || info.width > kMaxPictureSide || info.height > kMaxPictureSide ||
      int64_t{info.width} * info.height > kMaxPicturePixels)
    return kPictureTooLargeError;
  if (!IsResolution(info.ppiX) || !IsResolution(info.ppiY)) info.ppiX = info.ppiY = kDefaultResolution;
  if (info.format != PictureFormat::kPdf) {
    info.widthPoints = info.width * 72.0 / info.ppiX;
    info.heightPoints = info.height * 72.0 / info.ppiY;
  }
  if (!(info.widthPoints <= kMaxPicturePoints && info.heightPoints <= kMaxPicturePoints))
    return kPictureTooLargeError;
  return kSuccess;
}
