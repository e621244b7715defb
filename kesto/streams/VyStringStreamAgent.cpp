// String stream agents. The string grows by doubling, so that writing stays linear; its spare units are
// cut off when the agent closes.
#include "kesto/streams/VyStringStreamAgent.h"

#include <algorithm>

namespace kesto {

namespace {
constexpr size_t kFirstGrowth = 256;
}

template <class Text>
VyStringStreamAgent<Text>::VyStringStreamAgent(Text* destination)
    : VyMemoryStreamAgent(sizeof(Unit) == 1 ? StreamEncoding::kWindowsLatin : kNativeUtf16),
      destination_(destination) {
  if (destination_) Repoint(destination_->size() * sizeof(Unit));
}

template <class Text>
VyStringStreamAgent<Text>::~VyStringStreamAgent() {
  // Nothing is left to tell of a failure here: a writer that needs the answer closes before.
  (void)Close();
}

template <class Text>
bool VyStringStreamAgent<Text>::AcceptsEncoding(StreamEncoding encoding) const {
  return sizeof(Unit) == 1 ? !IsWide(encoding) : encoding == kNativeUtf16;
}

template <class Text>
size_t VyStringStreamAgent<Text>::WrittenBytes() const {
  return static_cast<size_t>(writeNext_ - writeStart_);
}

template <class Text>
void VyStringStreamAgent<Text>::Repoint(size_t writtenBytes) {
  auto* start = reinterpret_cast<uint8_t*>(destination_->data());
  SetWriteArea(start, start + writtenBytes, start + destination_->size() * sizeof(Unit));
}

template <class Text>
int VyStringStreamAgent<Text>::Overflow(int byte) {
  if (!destination_) return -1;
  size_t written = WrittenBytes();
  if (byte < 0) {
    destination_->resize((written + sizeof(Unit) - 1) / sizeof(Unit));
    Repoint(written);
    return 0;
  }
  size_t units = destination_->size();
  try {
    destination_->resize(std::max(units * 2, units + kFirstGrowth));
  } catch (...) {
    // Out of memory: the string keeps what it holds and the write fails, as on a full disk.
    return -1;
  }
  Repoint(written);
  *writeNext_++ = static_cast<uint8_t>(byte);
  return byte;
}

template <class Text>
int64_t VyStringStreamAgent<Text>::Size() {
  return static_cast<int64_t>(WrittenBytes());
}

template class VyStringStreamAgent<std::string>;
template class VyStringStreamAgent<std::u16string>;
template class VyStringStreamAgent<MyWideString>;

}  // namespace kesto
