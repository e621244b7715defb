// The TIFF header reader: libtiff reads the first image directory (size, resolution and its unit) from
// bytes in memory, with every single allocation capped.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "host/image/PictureHeaders.h"

namespace {

struct Source {
  const uint8_t* data;
  toff_t size;
  toff_t at;
};

Source* Of(thandle_t handle) {
  return static_cast<Source*>(handle);
}

tmsize_t Read(thandle_t handle, void* out, tmsize_t count) {
  Source* s = Of(handle);
  toff_t n =
      count < 0 || s->at >= s->size ? 0 : std::min<toff_t>(static_cast<toff_t>(count), s->size - s->at);
  std::memcpy(out, s->data + s->at, n);
  s->at += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t Write(thandle_t, void*, tmsize_t) {
  return 0;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  Source* s = Of(handle);
  toff_t base = whence == SEEK_CUR ? s->at : whence == SEEK_END ? s->size : 0;
  // Offsets are unsigned: a position before the start wraps around and is refused like one past the end.
  if (offset > s->size || base + offset > s->size) return static_cast<toff_t>(-1);
  s->at = base + offset;
  return s->at;
}

int Close(thandle_t) {
  return 0;
}

toff_t Size(thandle_t handle) {
  return Of(handle)->size;
}

int NoMap(thandle_t, void**, toff_t*) {
  return 0;
}

void NoUnmap(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) {
  return 1;  // handled: nothing reaches standard error
}

struct OptionsDeleter {
  void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};
struct TiffDeleter {
  void operator()(TIFF* t) const { TIFFClose(t); }
};

double PerInch(uint16_t unit) {
  return unit == RESUNIT_CENTIMETER ? 2.54 : 1;
}

}  // namespace

ErrorCode ReadTiffHeader(const uint8_t* data, size_t size, PictureInfo& info) {
  if (SniffPictureFormat(data, size) != PictureFormat::kTiff) return kPictureFormatError;
  std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
  if (!options) return kOutOfMemoryError;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), 16 << 20);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
  Source source{data, size, 0};
  std::unique_ptr<TIFF, TiffDeleter> tiff(TIFFClientOpenExt("picture", "rm", &source, Read, Write, Seek,
                                                            Close, Size, NoMap, NoUnmap, options.get()));
  uint32_t width = 0;
  uint32_t height = 0;
  if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
    return kPictureDamagedError;
  if (width > static_cast<uint32_t>(kMaxPictureSide) || height > static_cast<uint32_t>(kMaxPictureSide))
    return kPictureTooLargeError;
  info = PictureInfo{.format = PictureFormat::kTiff,
                     .width = static_cast<int32_t>(width),
                     .height = static_cast<int32_t>(height)};
  float x = 0;
  float y = 0;
  uint16_t unit = RESUNIT_INCH;
  TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_RESOLUTIONUNIT, &unit);
  if (unit != RESUNIT_NONE && TIFFGetField(tiff.get(), TIFFTAG_XRESOLUTION, &x) &&
      TIFFGetField(tiff.get(), TIFFTAG_YRESOLUTION, &y)) {
    info.ppiX = x * PerInch(unit);
    info.ppiY = y * PerInch(unit);
  }
  return FinishPictureInfo(info);
}
