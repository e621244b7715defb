// StoryComposition: the in-memory IStoryComposition of a story.
#pragma once

#include "host/compose/IStoryComposition.h"
#include "host/core/CPMUnknown.h"

class StoryComposition final : public CPMUnknown<IStoryComposition> {
 public:
  explicit StoryComposition(Boss* boss) : CPMUnknown(boss) {}
  bool IsComposed() const override { return composed_; }
  const StoryLayout& GetLayout() const override { return layout_; }
  void SetLayout(StoryLayout layout) override {
    layout_ = std::move(layout);
    composed_ = true;
  }
  void Invalidate() override { composed_ = false; }

 private:
  StoryLayout layout_;
  bool composed_ = false;
};
