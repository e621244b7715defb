// Fuzzes the Tiff header reader. Input: any bytes (fuzz/corpus/PictureTiffFuzz holds small pictures).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPictureReader(ReadTiffHeader, data, size);
}
