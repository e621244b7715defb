// Writing the sample pictures.
#include "tests/support/PictureSamples.h"

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <jpeglib.h>

namespace testing_support {
namespace {

void PngWrite(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void PngFlush(png_structp) {}

int GifWrite(GifFileType* gif, const GifByteType* data, int size) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

// A TIFF written into memory: libtiff seeks back to patch its directory offset.
struct TiffSink {
  Bytes bytes;
  toff_t at = 0;
};

tmsize_t TiffWrite(thandle_t h, void* data, tmsize_t size) {
  auto* sink = static_cast<TiffSink*>(h);
  if (sink->bytes.size() < sink->at + size) sink->bytes.resize(sink->at + size);
  std::memcpy(sink->bytes.data() + sink->at, data, size);
  sink->at += size;
  return size;
}

tmsize_t TiffRead(thandle_t h, void* data, tmsize_t size) {
  auto* sink = static_cast<TiffSink*>(h);
  tmsize_t n = std::min<tmsize_t>(size, static_cast<tmsize_t>(sink->bytes.size() - sink->at));
  std::memcpy(data, sink->bytes.data() + sink->at, n);
  sink->at += n;
  return n;
}

toff_t TiffSeek(thandle_t h, toff_t offset, int whence) {
  auto* sink = static_cast<TiffSink*>(h);
  sink->at = (whence == SEEK_CUR ? sink->at : whence == SEEK_END ? sink->bytes.size() : 0) + offset;
  return sink->at;
}

int TiffClose(thandle_t) {
  return 0;
}

toff_t TiffSize(thandle_t h) {
  return static_cast<TiffSink*>(h)->bytes.size();
}

}  // namespace

Bytes SamplePng(int32_t width, int32_t height, double ppi) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (ppi > 0) {
    auto perMetre = static_cast<png_uint_32>(ppi / 0.0254 + 0.5);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<size_t>(width), 128);
  for (int32_t y = 0; y < height; ++y)
    png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes SamplePngHeader(int32_t width, int32_t height) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes SampleJpeg(int32_t width, int32_t height, int32_t ppi) {
  jpeg_compress_struct jpeg{};
  jpeg_error_mgr errors{};
  jpeg.err = jpeg_std_error(&errors);
  jpeg_create_compress(&jpeg);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&jpeg, &buffer, &size);
  jpeg.image_width = static_cast<JDIMENSION>(width);
  jpeg.image_height = static_cast<JDIMENSION>(height);
  jpeg.input_components = 1;
  jpeg.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&jpeg);
  if (ppi > 0) {
    jpeg.density_unit = 1;
    jpeg.X_density = jpeg.Y_density = static_cast<UINT16>(ppi);
  }
  jpeg_start_compress(&jpeg, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width), 128);
  JSAMPROW rows[] = {row.data()};
  while (jpeg.next_scanline < jpeg.image_height)
    jpeg_write_scanlines(&jpeg, rows, 1);
  jpeg_finish_compress(&jpeg);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&jpeg);
  std::free(buffer);
  return out;
}

Bytes SampleGif(int32_t width, int32_t height) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, GifWrite, &error);
  GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
  ColorMapObject* map = GifMakeMapObject(2, colours);
  EGifPutScreenDesc(gif, width, height, 1, 0, map);
  EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
  std::vector<GifPixelType> row(static_cast<size_t>(width), 1);
  for (int32_t y = 0; y < height; ++y)
    EGifPutLine(gif, row.data(), width);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

Bytes SampleTiff(int32_t width, int32_t height, double ppi) {
  TiffSink sink;
  TIFF* tiff = TIFFClientOpen("sample", "w", &sink, TiffRead, TiffWrite, TiffSeek, TiffClose, TiffSize,
                              nullptr, nullptr);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(height));
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(height));
  if (ppi > 0) {
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, static_cast<float>(ppi));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, static_cast<float>(ppi));
  }
  std::vector<uint8_t> row(static_cast<size_t>(width), 128);
  for (int32_t y = 0; y < height; ++y)
    TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0);
  TIFFClose(tiff);
  return sink.bytes;
}

Bytes SampleWebP(int32_t width, int32_t height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3, 128);
  uint8_t* encoded = nullptr;
  size_t size = WebPEncodeLosslessRGB(rgb.data(), width, height, width * 3, &encoded);
  Bytes out(encoded, encoded + size);
  WebPFree(encoded);
  return out;
}

Bytes SamplePdf(double width, double height, int32_t pages) {
  std::string kids;
  std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", ""};
  for (int32_t i = 0; i < pages; ++i) {
    kids += std::to_string(3 + i) + " 0 R ";
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) + " " +
                      std::to_string(height) + "] >>");
  }
  objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>";
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char line[24];
    std::snprintf(line, sizeof(line), "%010zu 00000 n \n", offset);
    pdf += line;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return Bytes(pdf.begin(), pdf.end());
}

}  // namespace testing_support
