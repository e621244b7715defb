// The JPEG header reader: libjpeg reads the markers up to the start of the first scan (the frame header
// and JFIF's density) and decodes nothing.
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

#include <cmath>
#include <csetjmp>

#include "host/image/PictureHeaders.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr manager;
  jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr common) {
  std::longjmp(reinterpret_cast<ErrorManager*>(common->err)->jump, 1);
}

void Ignore(j_common_ptr, int) {}
void IgnoreOutput(j_common_ptr) {}

// No object with a destructor lives in this frame: libjpeg leaves it by longjmp.
bool ReadInfo(jpeg_decompress_struct* jpeg, ErrorManager* errors, const uint8_t* data, size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(jpeg);
  jpeg->mem->max_memory_to_use = 16 << 20;
  jpeg_mem_src(jpeg, data, static_cast<unsigned long>(size));
  return jpeg_read_header(jpeg, TRUE) == JPEG_HEADER_OK;
}

}  // namespace

ErrorCode ReadJpegHeader(const uint8_t* data, size_t size, PictureInfo& info) {
  if (size < 3 || data[0] != 0xFF || data[1] != 0xD8) return kPictureFormatError;
  jpeg_decompress_struct jpeg{};
  ErrorManager errors{};
  jpeg.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = Fail;
  errors.manager.emit_message = Ignore;
  errors.manager.output_message = IgnoreOutput;
  bool read = ReadInfo(&jpeg, &errors, data, size);
  info = PictureInfo{.format = PictureFormat::kJpeg};
  if (read) {
    info.width = static_cast<int32_t>(jpeg.image_width);
    info.height = static_cast<int32_t>(jpeg.image_height);
    if (jpeg.density_unit == 1 || jpeg.density_unit == 2) {
      double perInch = jpeg.density_unit == 1 ? 1 : 2.54;
      info.ppiX = std::round(jpeg.X_density * perInch * 100) / 100;
      info.ppiY = std::round(jpeg.Y_density * perInch * 100) / 100;
    }
  }
  jpeg_destroy_decompress(&jpeg);
  return read ? FinishPictureInfo(info) : kPictureDamagedError;
}
