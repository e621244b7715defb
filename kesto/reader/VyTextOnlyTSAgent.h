// VyTextOnlyTSAgent: the scanner agent that keeps only the text of tagged input, including the characters
// that tags insert, and ignores every other effect of the tags.
#pragma once

#include "kesto/reader/CTagScannerAgent.h"
#include "kesto/reader/VyTextSink.h"

namespace kesto {

class VyStory;

class VyTextOnlyTSAgent : public CTagScannerAgent {
 public:
  // Inserts into `story`, holding a counted reference to it for the agent's life; without a story, text
  // is dropped.
  explicit VyTextOnlyTSAgent(VyStory* story);
  // Inserts into `sink`, which is borrowed and must outlive the agent; without a sink, text is dropped.
  explicit VyTextOnlyTSAgent(VyTextSink* sink) : sink_(sink) {}
  VyTextOnlyTSAgent(const VyTextOnlyTSAgent&) = delete;
  VyTextOnlyTSAgent& operator=(const VyTextOnlyTSAgent&) = delete;
  ~VyTextOnlyTSAgent() override;

  // Answers 28 (internal error), which ends the scan, when the story or sink refuses the text.
  KestoResult InsertText(const char16_t* units, int32_t count) override;
  // Files are not looked for: answers -43 (file not found).
  KestoResult ResolveFileReference(WideString& uri, std::u16string_view name) override;

 protected:
  VyStory* GetStory() const { return story_; }
  // Inserts into `story` from now on (a counted reference is taken; the old one is released).
  void SetStory(VyStory* story);

 private:
  VyStory* story_ = nullptr;
  VyTextSink* sink_ = nullptr;
};

}  // namespace kesto
