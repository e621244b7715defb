// Fuzzes the PDF reader (pdfinfo on the bytes, page 2). Input: any bytes (fuzz/corpus/PicturePdfFuzz holds
// small PDFs).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto secondPage = [](const uint8_t* bytes, size_t count, PictureInfo& info) {
    return ReadPdfHeader(bytes, count, 2, info);
  };
  return FuzzPictureReader(secondPage, data, size);
}
