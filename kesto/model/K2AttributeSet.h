// K2AttributeSet: an attribute agent that owns its style UID and its override list.
#pragma once

#include "kesto/model/IK2AttributeAgent.h"

namespace kesto {

class K2AttributeSet : public IK2AttributeAgent {
 public:
  K2AttributeSet() = default;
  K2AttributeSet(UID style, AttributeBossList overrides) : style_(style), overrides_(std::move(overrides)) {}

  void SetStyle(UID style) override {
    ++changes_;
    style_ = style;
  }
  UID GetStyle() const override { return style_; }
  const AttributeBossList* GetOverrides() const override { return &overrides_; }
  AttributeBossList* GetOverridesForWrite() override {
    ++changes_;
    return &overrides_;
  }
  // Counts the occasions to change the set (a new style, a hand-out of the overrides for writing): while
  // it stays the same, the set is as it was.
  uint64_t GetChangeCount() const { return changes_; }

 private:
  UID style_;
  AttributeBossList overrides_;
  uint64_t changes_ = 0;
};

}  // namespace kesto
