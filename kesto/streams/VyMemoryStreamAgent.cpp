// Stream agents over caller memory.
#include "kesto/streams/VyMemoryStreamAgent.h"

#include <algorithm>

namespace kesto {

VyMemoryStreamAgent::VyMemoryStreamAgent(const void* bytes, size_t size, StreamEncoding encoding)
    : VyStreamAgent(encoding) {
  const auto* start = static_cast<const uint8_t*>(bytes);
  SetReadArea(start, start, start ? start + size : start);
}

VyMemoryStreamAgent::VyMemoryStreamAgent(Destination destination, StreamEncoding encoding)
    : VyStreamAgent(encoding) {
  auto* start = static_cast<uint8_t*>(destination.bytes);
  SetWriteArea(start, start, start ? start + destination.capacity : start);
  writeHigh_ = start;
}

size_t VyMemoryStreamAgent::BytesWritten() const {
  return static_cast<size_t>(std::max(writeHigh_, writeNext_) - writeStart_);
}

int64_t VyMemoryStreamAgent::Seek(int64_t offset, SeekOrigin origin, Area area) {
  bool reading = area == Area::kRead;
  int64_t current = reading ? readNext_ - readStart_ : writeNext_ - writeStart_;
  int64_t end = reading ? readEnd_ - readStart_ : static_cast<int64_t>(BytesWritten());
  int64_t limit = reading ? end : writeEnd_ - writeStart_;
  int64_t base = origin == SeekOrigin::kStart ? 0 : origin == SeekOrigin::kCurrent ? current : end;
  int64_t target = SeekTarget(base, offset);
  if (target < 0 || target > limit) return -1;
  if (reading) {
    readNext_ = readStart_ + target;
  } else {
    writeHigh_ = std::max(writeHigh_, writeNext_);
    writeNext_ = writeStart_ + target;
  }
  return target;
}

}  // namespace kesto
