// Thread-local values by key: each thread keeps a small table indexed by the key's number.
#include "host/core/Threads.h"

#include <vector>

namespace {
std::atomic<uint32_t> nextIndex{0};
thread_local std::vector<void*> values;
}  // namespace

ThreadLocalKey::ThreadLocalKey() : index_(nextIndex.fetch_add(1)) {}

void* ThreadLocalKey::Get() const {
  return index_ < values.size() ? values[index_] : nullptr;
}

void ThreadLocalKey::Set(void* value) const {
  if (index_ >= values.size()) values.resize(index_ + 1, nullptr);
  values[index_] = value;
}
