// PngPixels: a PNG read back for checking where a rendering put ink.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>

#include "host/layout/Geometry.h"

namespace render_test {

class PngPixels {
 public:
  explicit PngPixels(const std::filesystem::path& file)
      : surface_(cairo_image_surface_create_from_png(file.c_str())) {
    cairo_surface_flush(surface_);
  }
  ~PngPixels() { cairo_surface_destroy(surface_); }
  PngPixels(const PngPixels&) = delete;
  PngPixels& operator=(const PngPixels&) = delete;

  bool Ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
  int Width() const { return cairo_image_surface_get_width(surface_); }
  int Height() const { return cairo_image_surface_get_height(surface_); }
  // The pixel as 0xRRGGBB.
  uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  bool Inked(int x, int y) const { return At(x, y) != 0xFFFFFF; }
  // Inked pixels inside `box` (pixels, edges included).
  int64_t InkIn(const PMRect& box) const {
    int64_t ink = 0;
    for (int y = std::max(0, int(box.top)); y <= std::min(Height() - 1, int(box.bottom)); ++y) {
      for (int x = std::max(0, int(box.left)); x <= std::min(Width() - 1, int(box.right)); ++x)
        ink += Inked(x, y);
    }
    return ink;
  }

 private:
  cairo_surface_t* surface_;
};

}  // namespace render_test
