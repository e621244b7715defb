// Delivering the writer's output to a text stream.
#include "kesto/writer/KestoPutterAgent.h"

namespace kesto {

int32_t KestoPutterAgent::Write(const char16_t* units, int32_t count) {
  if (!stream_ || stream_->IsBad()) return kStreamFailed;
  stream_->PutText(std::u16string_view(units, static_cast<size_t>(count)));
  return stream_->IsBad() ? kStreamFailed : 0;
}

}  // namespace kesto
