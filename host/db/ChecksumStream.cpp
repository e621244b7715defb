// Checked streams.
#include "host/db/ChecksumStream.h"

#include "host/db/Crc32.h"

size_t ChecksumStream::XferBytes(uint8_t* bytes, size_t count) {
  size_t moved = inner_.XferBytes(bytes, count);
  crc_ = Crc32({bytes, moved}, crc_);
  length_ += moved;
  return moved;
}

void ChecksumStream::Restart() {
  crc_ = 0;
  length_ = 0;
}
