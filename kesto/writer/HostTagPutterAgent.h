// HostTagPutterAgent: the agent that collects a host-dialect writer's output in a wide string, for text
// that is assembled in memory before the host imports it.
#pragma once

#include "host/core/WideString.h"
#include "kesto/writer/ITagPutterAgent.h"

namespace kesto {

class HostTagPutterAgent final : public CTagPutterAgent {
 public:
  // `text` is referenced, not owned, and must outlive the agent's use.
  explicit HostTagPutterAgent(WideString* text) : text_(text) {}

  // Appends the units; answers 0.
  int32_t Write(const char16_t* units, int32_t count) override;

 private:
  WideString* text_;
};

}  // namespace kesto
