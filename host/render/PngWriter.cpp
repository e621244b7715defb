// Encoding drawn pages as PNG.
#include "host/render/PngWriter.h"

#include <png.h>

#include <bit>
#include <csetjmp>

namespace PngWriter {
namespace {

// The stream and whether it took everything, for libpng's callbacks.
struct Sink {
  FileStream* stream;
  bool failed;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
  if (!sink->failed && sink->stream->XferBytes(data, length) != length) sink->failed = true;
}

void FlushNothing(png_structp) {}

// Rows of `image` handed to libpng; plain data only, since libpng's errors leave through longjmp.
bool Encode(png_structp png, png_infop info, cairo_surface_t* image) {
  if (setjmp(png_jmpbuf(png))) return false;
  int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(png, info);
  // Cairo keeps a pixel as one native 32-bit word, x R G B from the high byte down.
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  } else {
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
  }
  unsigned char* data = cairo_image_surface_get_data(image);
  int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < height; ++y)
    png_write_row(png, data + static_cast<ptrdiff_t>(y) * stride);
  png_write_end(png, info);
  return true;
}

}  // namespace

bool Write(cairo_surface_t* image, FileStream& stream) {
  cairo_surface_flush(image);
  if (cairo_image_surface_get_format(image) != CAIRO_FORMAT_RGB24) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  Sink sink{&stream, false};
  bool ok = info != nullptr;
  if (ok) {
    png_set_write_fn(png, &sink, WriteBytes, FlushNothing);
    ok = Encode(png, info, image);
  }
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return ok && !sink.failed && stream.GetState() == IPMStream::State::kGood;
}

}  // namespace PngWriter
