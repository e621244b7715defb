// TextFrame, FrameList and StoryFrames: the persistent ITextFrame, IFrameList and IStoryFrames
// implementations.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/ITextFrame.h"

class TextFrame final : public CPMUnknown<ITextFrame> {
 public:
  explicit TextFrame(Boss* boss) : CPMUnknown(boss) {}
  UID GetFrameList() const override { return frameList_; }
  void SetFrameList(UID frameList) override;
  const FrameOptions& GetOptions() const override { return options_; }
  void SetOptions(const FrameOptions& options) override;
  int32_t GetTextStart() const override { return textStart_; }
  int32_t GetTextSpan() const override { return textSpan_; }
  void SetTextRange(int32_t start, int32_t span) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID frameList_;
  FrameOptions options_;
  int32_t textStart_ = 0;
  int32_t textSpan_ = 0;
};

class FrameList final : public CPMUnknown<IFrameList> {
 public:
  explicit FrameList(Boss* boss) : CPMUnknown(boss) {}
  UID GetStory() const override { return story_; }
  void SetStory(UID story) override;
  int32_t CountFrames() const override { return static_cast<int32_t>(frames_.size()); }
  UID GetNthFrame(int32_t index) const override;
  int32_t IndexOfFrame(UID frame) const override;
  void InsertFrame(UID frame, int32_t at) override;
  void RemoveFrame(UID frame) override;
  int32_t GetFirstDamagedFrame() const override { return firstDamaged_; }
  void SetFirstDamagedFrame(int32_t index) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID story_;
  std::vector<UID> frames_;
  int32_t firstDamaged_ = -1;
};

class StoryFrames final : public CPMUnknown<IStoryFrames> {
 public:
  explicit StoryFrames(Boss* boss) : CPMUnknown(boss) {}
  UID GetFrameList() const override { return frameList_; }
  void SetFrameList(UID frameList) override;
  bool IsPrimaryTextFlow() const override { return primary_; }
  void SetPrimaryTextFlow(bool primary) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID frameList_;
  bool primary_ = false;
};
