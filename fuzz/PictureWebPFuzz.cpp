// Fuzzes the WebP header reader. Input: any bytes (fuzz/corpus/PictureWebPFuzz holds small pictures).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPictureReader(ReadWebPHeader, data, size);
}
