// KestoPutterAgent: the agent through which the Kesto writer's output reaches a text stream, which encodes
// it into the byte sink the caller chose.
#pragma once

#include "kesto/streams/VyTextStream.h"
#include "kesto/writer/ITagPutterAgent.h"

namespace kesto {

class KestoPutter;

class KestoPutterAgent : public CTagPutterAgent {
 public:
  // What Write answers once the stream failed.
  static constexpr int32_t kStreamFailed = 2;

  // `stream` and `putter` are referenced, not owned.
  KestoPutterAgent(VyTextStream* stream, KestoPutter* putter) : stream_(stream), putter_(putter) {}

  // Hands the units to the stream, each surrogate pair as one character; kStreamFailed when the stream
  // could not take them.
  int32_t Write(const char16_t* units, int32_t count) override;

 private:
  VyTextStream* stream_;
  [[maybe_unused]] KestoPutter* putter_;
};

}  // namespace kesto
