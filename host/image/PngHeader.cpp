// The PNG header reader: libpng reads the chunks before the image data (IHDR, pHYs) and stops there.
#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstring>

#include "host/image/PictureHeaders.h"

namespace {

struct Source {
  const uint8_t* data;
  size_t size;
  size_t at;
};

void Read(png_structp png, png_bytep out, size_t count) {
  auto* source = static_cast<Source*>(png_get_io_ptr(png));
  if (count > source->size - source->at) png_error(png, "cut short");
  std::memcpy(out, source->data + source->at, count);
  source->at += count;
}

[[noreturn]] void Fail(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void Ignore(png_structp, png_const_charp) {}

struct Header {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  png_uint_32 resolutionX = 0;
  png_uint_32 resolutionY = 0;
  int unit = PNG_RESOLUTION_UNKNOWN;
};

// No object with a destructor lives in this frame: libpng leaves it by longjmp.
bool ReadInfo(png_structp png, png_infop pngInfo, Source* source, Header* header) {
  if (setjmp(png_jmpbuf(png))) {
    // A picture damaged after its header still says how large it claims to be: a bomb is refused as one.
    if (png_get_image_width(png, pngInfo) != 0) {
      header->width = png_get_image_width(png, pngInfo);
      header->height = png_get_image_height(png, pngInfo);
    }
    return false;
  }
  // The sizes are checked by the host's own limits below; ancillary chunks are capped, so that a header
  // cannot make libpng allocate much.
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_chunk_malloc_max(png, 1 << 20);
  png_set_chunk_cache_max(png, 128);
  png_set_read_fn(png, source, Read);
  png_read_info(png, pngInfo);
  header->width = png_get_image_width(png, pngInfo);
  header->height = png_get_image_height(png, pngInfo);
  png_get_pHYs(png, pngInfo, &header->resolutionX, &header->resolutionY, &header->unit);
  return true;
}

// Pixels per metre are whole numbers: 300 ppi is stored as 11811 (299.9994 ppi). Hundredths of a pixel
// per inch are as exact as the file can be.
double PerInch(png_uint_32 perMetre) {
  return std::round(perMetre * 0.0254 * 100) / 100;
}

}  // namespace

ErrorCode ReadPngHeader(const uint8_t* data, size_t size, PictureInfo& info) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) return kPictureFormatError;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
  png_infop pngInfo = png ? png_create_info_struct(png) : nullptr;
  if (!pngInfo) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return kOutOfMemoryError;
  }
  Source source{data, size, 0};
  Header header;
  bool read = ReadInfo(png, pngInfo, &source, &header);
  png_destroy_read_struct(&png, &pngInfo, nullptr);
  if (header.width > PNG_UINT_31_MAX || header.height > PNG_UINT_31_MAX ||
      header.width > static_cast<png_uint_32>(kMaxPictureSide) ||
      header.height > static_cast<png_uint_32>(kMaxPictureSide))
    return kPictureTooLargeError;
  if (!read) return kPictureDamagedError;
  info = PictureInfo{.format = PictureFormat::kPng,
                     .width = static_cast<int32_t>(header.width),
                     .height = static_cast<int32_t>(header.height)};
  if (header.unit == PNG_RESOLUTION_METER) {
    info.ppiX = PerInch(header.resolutionX);
    info.ppiY = PerInch(header.resolutionY);
  }
  return FinishPictureInfo(info);
}
