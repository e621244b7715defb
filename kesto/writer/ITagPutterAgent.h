// ITagPutterAgent: what a tagged-text writer hands its output and its progress to; CTagPutterAgent answers
// every call with "go on", so that an agent overrides only what it needs.
#pragma once

#include <cstdint>

namespace kesto {

class K2AttributeSetMgr;
class VyBaseTextRun;

class ITagPutterAgent {
 public:
  virtual ~ITagPutterAgent() = default;
  // Each answers 0 to go on; any other value stops the writer, which hands it back to its caller.
  virtual int32_t BeginStory() = 0;
  virtual int32_t BeginParagraph(const K2AttributeSetMgr& paragraph) = 0;
  virtual int32_t BeginRun(const K2AttributeSetMgr& run) = 0;
  virtual int32_t BeginPageItem(void* item, int32_t reserved1, int32_t reserved2) = 0;
  virtual int32_t EndPageItem(void* item) = 0;
  virtual void EndStory() = 0;
  // True: the run's content is not written (its tags are).
  virtual bool SkipRun(const VyBaseTextRun& run) = 0;
  // Takes `count` UTF-16 units of output; they are valid only during the call.
  virtual int32_t Write(const char16_t* units, int32_t count) = 0;
};

class CTagPutterAgent : public ITagPutterAgent {
 public:
  int32_t BeginStory() override { return 0; }
  int32_t BeginParagraph(const K2AttributeSetMgr&) override { return 0; }
  int32_t BeginRun(const K2AttributeSetMgr&) override { return 0; }
  int32_t BeginPageItem(void*, int32_t, int32_t) override { return 0; }
  int32_t EndPageItem(void*) override { return 0; }
  void EndStory() override {}
  bool SkipRun(const VyBaseTextRun&) override { return false; }
  int32_t Write(const char16_t*, int32_t) override { return 0; }
};

}  // namespace kesto
