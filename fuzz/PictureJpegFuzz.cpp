// Fuzzes the Jpeg header reader. Input: any bytes (fuzz/corpus/PictureJpegFuzz holds small pictures).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPictureReader(ReadJpegHeader, data, size);
}
