// StoryComposition: the in-memory IStoryComposition of a story.
#pragma once

#include "host/compose/IStoryComposition.h"
#include "host/core/CPMUnknown.h"

class StoryComposition final : public CPMUnknown<IStoryComposition> {
 public:
  explicit StoryComposition(Boss* boss) : CPMUnknown(boss) {}
  bool IsComposed() const override { return composed_; }
  const StoryLayout& GetLayout() const override { return layout_; }
  StoryLayout TakeLayout() override { return std::move(layout_); }
  void SetLayout(StoryLayout layout) override {
    layout_ = std::move(layout);
    composed_ = true;
    edits_ = {.reusable = true};
  }
  void Invalidate() override {
    composed_ = false;
    edits_.reusable = false;
  }
  const TextEdits& GetEdits() const override { return edits_; }
  void NoteEdit(int32_t position, int32_t removed, int32_t added, int32_t changedEnd) override;
  void ForgetEdits() override { edits_.reusable = false; }

 private:
  StoryLayout layout_;
  bool composed_ = false;
  TextEdits edits_;
};
