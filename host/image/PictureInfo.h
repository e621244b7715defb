// PictureInfo: what placing needs to know of a picture file, as its header declares it: the format, the
// size in pixels, the resolution, and for a PDF the chosen page and the page count.
#pragma once

#include <cstdint>
#include <string_view>

// Stored in documents by number: never renumber.
enum class PictureFormat : int32_t { kUnknown = 0, kPng, kJpeg, kGif, kTiff, kWebP, kPdf };
inline constexpr int32_t kLastPictureFormat = static_cast<int32_t>(PictureFormat::kPdf);

// The largest side and area the host places. Larger declared sizes are refused as decompression bombs:
// nothing is allocated by a declared size, but nothing that large is worth keeping either.
inline constexpr int32_t kMaxPictureSide = 100000;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 30;
// The largest size in points a picture may have: what a page item may span.
inline constexpr double kMaxPicturePoints = 100000;
// Resolutions outside this range are taken as unknown (72 ppi).
inline constexpr double kMinPictureResolution = 1;
inline constexpr double kMaxPictureResolution = 100000;
inline constexpr double kDefaultResolution = 72;
// The most PDF pages a document may declare.
inline constexpr int32_t kMaxPdfPages = 1000000;

struct PictureInfo {
  PictureFormat format = PictureFormat::kUnknown;
  // Pixels of a raster picture; a PDF page's size in points, rounded up.
  int32_t width = 0;
  int32_t height = 0;
  double ppiX = kDefaultResolution;
  double ppiY = kDefaultResolution;
  // The page's exact size in points for a PDF; width and height at the resolution for the others.
  double widthPoints = 0;
  double heightPoints = 0;
  int32_t page = 1;  // 1-based
  int32_t pageCount = 1;
  bool operator==(const PictureInfo&) const = default;
  // Every value in range: a format (unknown only for a proxy), sizes within the limits, resolutions in range,
  // a page of the document.
  bool IsValid() const;
};

// "png", "jpeg", "gif", "tiff", "webp", "pdf"; "unknown".
std::string_view PictureFormatName(PictureFormat format);
// The format whose name is `name`; kUnknown for any other.
PictureFormat PictureFormatNamed(std::string_view name);
// The format a file name's extension usually stands for (".jpg", ".TIF" ...), for files that cannot be
// read; kUnknown for none.
PictureFormat PictureFormatOfExtension(std::string_view fileName);
