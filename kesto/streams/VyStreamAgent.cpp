// The stream agent base: byte-wise and block transfers through the read and write areas.
#include "kesto/streams/VyStreamAgent.h"

#include <algorithm>
#include <cstring>

namespace kesto {

int VyStreamAgent::TakeUnderflow() {
  int byte = Underflow();
  if (byte >= 0) ++readNext_;
  return byte;
}

int VyStreamAgent::PutBack(int byte) {
  if (readNext_ > readStart_ && (byte < 0 || readNext_[-1] == byte)) {
    --readNext_;
    return *readNext_;
  }
  if (Seek(-1, SeekOrigin::kCurrent, Area::kRead) < 0) return -1;
  return PeekByte();
}

size_t VyStreamAgent::Read(void* bytes, size_t count) {
  auto* out = static_cast<uint8_t*>(bytes);
  size_t done = 0;
  while (done < count) {
    if (readNext_ == readEnd_ && Underflow() < 0) break;
    size_t n = std::min(count - done, static_cast<size_t>(readEnd_ - readNext_));
    std::memcpy(out + done, readNext_, n);
    readNext_ += n;
    done += n;
  }
  return done;
}

size_t VyStreamAgent::Write(const void* bytes, size_t count) {
  const auto* in = static_cast<const uint8_t*>(bytes);
  size_t done = 0;
  while (done < count) {
    if (writeNext_ == writeEnd_) {
      if (Overflow(in[done]) < 0) break;
      ++done;
      continue;
    }
    size_t n = std::min(count - done, static_cast<size_t>(writeEnd_ - writeNext_));
    std::memcpy(writeNext_, in + done, n);
    writeNext_ += n;
    done += n;
  }
  return done;
}

bool VyStreamAgent::SetEncoding(StreamEncoding encoding) {
  if (!AcceptsEncoding(encoding)) return false;
  encoding_ = encoding;
  return true;
}

}  // namespace kesto
