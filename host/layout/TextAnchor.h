// TextAnchor: the persistent ITextAnchor implementation.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/ITextAnchor.h"

class TextAnchor final : public CPMUnknown<ITextAnchor> {
 public:
  explicit TextAnchor(Boss* boss) : CPMUnknown(boss) {}
  const WideString& GetName() const override { return name_; }
  void SetName(const WideString& name) override;
  bool IsPageAnchor() const override { return page_; }
  void SetPageAnchor(bool page) override;
  UID GetStory() const override { return story_; }
  void SetStory(UID story) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString name_;
  bool page_ = false;
  UID story_;
};
