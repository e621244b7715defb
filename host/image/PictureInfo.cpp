// Picture formats by name and the range of a picture's values.
#include "host/image/PictureInfo.h"

#include <array>
#include <cmath>
#include <string>

namespace {

constexpr std::array<std::string_view, kLastPictureFormat + 1> kNames = {"unknown", "png",  "jpeg", "gif",
                                                                         "tiff",    "webp", "pdf"};

bool IsPoints(double points) {
  return std::isfinite(points) && points >= 0 && points <= kMaxPicturePoints;
}

bool IsResolution(double ppi) {
  return std::isfinite(ppi) && ppi >= kMinPictureResolution && ppi <= kMaxPictureResolution;
}

}  // namespace

std::string_view PictureFormatName(PictureFormat format) {
  auto index = static_cast<size_t>(format);
  return index < kNames.size() ? kNames[index] : kNames[0];
}

PictureFormat PictureFormatNamed(std::string_view name) {
  for (size_t i = 1; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<PictureFormat>(i);
  }
  return PictureFormat::kUnknown;
}

PictureFormat PictureFormatOfExtension(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return PictureFormat::kUnknown;
  std::string extension;
  for (char c : fileName.substr(dot + 1))
    extension += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (extension == "jpg" || extension == "jpe") return PictureFormat::kJpeg;
  if (extension == "tif") return PictureFormat::kTiff;
  return PictureFormatNamed(extension);
}

bool PictureInfo::IsValid() const {
  auto f = static_cast<int32_t>(format);
  return f >= 0 && f <= kLastPictureFormat && width >= 0 && height >= 0 && width <= kMaxPictureSide &&
         height <= kMaxPictureSide && int64_t{width} * height <= kMaxPicturePixels && IsResolution(ppiX) &&
         IsResolution(ppiY) && IsPoints(widthPoints) && IsPoints(heightPoints) && pageCount >= 1 &&
         pageCount <= kMaxPdfPages && page >= 1 && page <= pageCount;
}
