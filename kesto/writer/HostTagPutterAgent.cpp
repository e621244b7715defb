// Collecting host-dialect output.
#include "kesto/writer/HostTagPutterAgent.h"

namespace kesto {

int32_t HostTagPutterAgent::Write(const char16_t* units, int32_t count) {
  if (text_ && count > 0) text_->append(units, static_cast<size_t>(count));
  return 0;
}

}  // namespace kesto
