// What every picture header fuzz target checks: any bytes answer a code without crashing, and a picture
// that is read has values in range.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/image/PictureHeaders.h"

template <class Reader>
int FuzzPictureReader(Reader read, const uint8_t* data, size_t size) {
  PictureInfo info;
  if (read(data, size, info) == kSuccess && !info.IsValid()) __builtin_trap();
  return 0;
}
