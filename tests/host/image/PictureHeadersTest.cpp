// The picture header readers: sizes and resolutions of pictures written by the codec libraries, and
// damaged, cut short, oversized and foreign bytes refused with their codes.
#include <gtest/gtest.h>

#include <functional>

#include "host/image/PictureFile.h"
#include "host/image/PictureHeaders.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace testing_support;

Bytes Cut(Bytes bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

// A JPEG whose frame header declares `side` x `side` pixels.
Bytes JpegDeclaring(uint16_t side) {
  Bytes b = SampleJpeg(8, 8);
  for (size_t i = 0; i + 8 < b.size(); ++i) {
    if (b[i] == 0xFF && b[i + 1] == 0xC0) {
      b[i + 5] = b[i + 7] = static_cast<uint8_t>(side >> 8);
      b[i + 6] = b[i + 8] = static_cast<uint8_t>(side);
      break;
    }
  }
  return b;
}

struct Row {
  const char* name;
  std::function<Bytes()> bytes;
  int32_t page;
  ErrorCode code;
  PictureFormat format;
  int32_t width, height;
  double ppi, widthPoints;
};

TEST(PictureHeadersTest, ReadsSizeAndResolutionAndRefusesBadBytes) {
  const Row rows[] = {
      {"png 300 ppi", [] { return SamplePng(40, 20, 300); }, 1, kSuccess, PictureFormat::kPng, 40, 20, 300,
       9.6},
      {"png without pHYs", [] { return SamplePng(10, 10); }, 1, kSuccess, PictureFormat::kPng, 10, 10, 72,
       10},
      {"jpeg 150 ppi", [] { return SampleJpeg(30, 15, 150); }, 1, kSuccess, PictureFormat::kJpeg, 30, 15, 150,
       14.4},
      {"gif", [] { return SampleGif(12, 7); }, 1, kSuccess, PictureFormat::kGif, 12, 7, 72, 12},
      {"tiff 200 ppi", [] { return SampleTiff(25, 5, 200); }, 1, kSuccess, PictureFormat::kTiff, 25, 5, 200,
       9},
      {"webp", [] { return SampleWebP(9, 4); }, 1, kSuccess, PictureFormat::kWebP, 9, 4, 72, 9},
      {"pdf page 2", [] { return SamplePdf(200.5, 100, 3); }, 2, kSuccess, PictureFormat::kPdf, 201, 100, 72,
       200.5},
      {"pdf page beyond", [] { return SamplePdf(200, 100, 3); }, 4, kPicturePageError},
      {"png cut short", [] { return Cut(SamplePng(10, 10), 20); }, 1, kPictureDamagedError},
      {"jpeg cut short", [] { return Cut(SampleJpeg(10, 10), 30); }, 1, kPictureDamagedError},
      {"tiff cut short", [] { return Cut(SampleTiff(10, 10), 12); }, 1, kPictureDamagedError},
      {"webp cut short", [] { return Cut(SampleWebP(10, 10), 14); }, 1, kPictureDamagedError},
      {"pdf cut short", [] { return Cut(SamplePdf(10, 10), 12); }, 1, kPictureDamagedError},
      {"png bomb", [] { return SamplePngHeader(200000, 200000); }, 1, kPictureTooLargeError},
      {"jpeg bomb", [] { return JpegDeclaring(65500); }, 1, kPictureTooLargeError},
      {"gif bomb", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0}; }, 1,
       kPictureTooLargeError},
      {"text",
       [] {
         return Bytes{'h', 'e', 'l', 'l', 'o'};
       },
       1, kPictureFormatError},
      {"nothing", [] { return Bytes{}; }, 1, kPictureFormatError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes bytes = row.bytes();
    PictureInfo info;
    ASSERT_EQ(ReadPictureHeader(bytes.data(), bytes.size(), row.page, info), row.code);
    if (row.code != kSuccess) continue;
    EXPECT_EQ(info.format, row.format);
    EXPECT_EQ(info.width, row.width);
    EXPECT_EQ(info.height, row.height);
    EXPECT_DOUBLE_EQ(info.ppiX, row.ppi);
    EXPECT_DOUBLE_EQ(info.widthPoints, row.widthPoints);
    EXPECT_EQ(info.page, row.page);
    EXPECT_TRUE(info.IsValid());
  }
}

TEST(PictureHeadersTest, FilesAreKnownByTheirBytesNotTheirNames) {
  TempFolder folder;
  WriteBytes(folder / "really a png.jpg", SamplePng(3, 2));
  WriteBytes(folder / "tall.tif", SampleTiff(1100, 1000));  // its directory lies beyond the first megabyte
  PictureInfo info;
  FileStamp stamp;
  EXPECT_EQ(ReadPictureFile(folder / "really a png.jpg", 1, info, stamp), kSuccess);
  EXPECT_EQ(info.format, PictureFormat::kPng);
  EXPECT_EQ(stamp.size, static_cast<int64_t>(SamplePng(3, 2).size()));
  EXPECT_EQ(ReadPictureFile(folder / "tall.tif", 1, info, stamp), kSuccess);
  EXPECT_EQ(info.height, 1000);
  EXPECT_EQ(ReadPictureFile(folder / "none.png", 1, info, stamp), kFileNotFoundError);
  EXPECT_EQ(ReadPictureFile(folder.Path(), 1, info, stamp), kPictureFileError);
}

}  // namespace
