// PictureSamples: small pictures of a known size and resolution, written in memory with the same libraries
// the host reads them with (a PDF as text), for tests to write into their scratch folders.
#pragma once

#include <cstdint>
#include <vector>

namespace testing_support {

using Bytes = std::vector<uint8_t>;

// `ppi` 0 writes no resolution.
Bytes SamplePng(int32_t width, int32_t height, double ppi = 0);
// Only the signature and header chunk of a PNG of that size (which may be beyond what the host places).
Bytes SamplePngHeader(int32_t width, int32_t height);
Bytes SampleJpeg(int32_t width, int32_t height, int32_t ppi = 0);
Bytes SampleGif(int32_t width, int32_t height);
Bytes SampleTiff(int32_t width, int32_t height, double ppi = 0);
Bytes SampleWebP(int32_t width, int32_t height);
// A PDF of `pages` pages of width x height points.
Bytes SamplePdf(double width, double height, int32_t pages = 1);

}  // namespace testing_support
