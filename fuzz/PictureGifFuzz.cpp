// Fuzzes the Gif header reader. Input: any bytes (fuzz/corpus/PictureGifFuzz holds small pictures).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPictureReader(ReadGifHeader, data, size);
}
