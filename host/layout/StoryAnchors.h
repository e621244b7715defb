// StoryAnchors: the persistent IStoryAnchors implementation on a story.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IStoryAnchors.h"

class StoryAnchors final : public CPMUnknown<IStoryAnchors> {
 public:
  explicit StoryAnchors(Boss* boss) : CPMUnknown(boss) {}
  const std::vector<Anchor>& GetAnchors() const override { return anchors_; }
  const Anchor* AnchorAt(int32_t index) const override;
  void AddAnchor(const Anchor& anchor) override;
  void RemoveAnchor(UID item) override;
  std::vector<UID> NoteTextEdit(int32_t position, int32_t deleted, int32_t inserted) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<Anchor> anchors_;
};
