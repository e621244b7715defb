// Bytes of a host stream into a writer's output.
#include "kesto/writer/TagXferAgent.h"

#include "kesto/writer/CTaggedTextPutter.h"

namespace kesto {

size_t TagXferAgent::Read(void*, size_t) {
  return 0;
}

size_t TagXferAgent::Write(const void* bytes, size_t count) {
  const auto* data = static_cast<const signed char*>(bytes);
  for (size_t i = 0; putter_ && i < count; ++i) {
    if (data[i] >= 0) putter_->PutChar(static_cast<char32_t>(data[i]));
  }
  written_ += static_cast<int64_t>(count);
  return count;
}

int64_t TagXferAgent::Seek(int64_t, SeekFrom) {
  return -1;
}

}  // namespace kesto
