// Fuzzes the Png header reader. Input: any bytes (fuzz/corpus/PicturePngFuzz holds small pictures).
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPictureReader(ReadPngHeader, data, size);
}
