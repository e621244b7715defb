// K2AttributeSet: an attribute agent that owns its style UID and its override list.
#pragma once

#include "kesto/model/IK2AttributeAgent.h"

namespace kesto {

class K2AttributeSet : public IK2AttributeAgent {
 public:
  K2AttributeSet() = default;
  K2AttributeSet(UID style, AttributeBossList overrides) : style_(style), overrides_(std::move(overrides)) {}

  void SetStyle(UID style) override { style_ = style; }
  UID GetStyle() const override { return style_; }
  const AttributeBossList* GetOverrides() const override { return &overrides_; }
  AttributeBossList* GetOverridesForWrite() override { return &overrides_; }

 private:
  UID style_;
  AttributeBossList overrides_;
};

}  // namespace kesto
