// VyStoryTSAgent: a text-only agent whose story also takes the scanner's attributes: at begin-import the
// scanner's pair of attribute managers is bound to the story's paragraph and character strands, so that
// what the tags set is what each block of text is committed with. The import agent builds on it.
#pragma once

#include "kesto/reader/VyTextOnlyTSAgent.h"

namespace kesto {

class VyTextAttributeMgr;

class VyStoryTSAgent : public VyTextOnlyTSAgent {
 public:
  explicit VyStoryTSAgent(VyStory* story) : VyTextOnlyTSAgent(story) {}
  // Leaves the scanner's pair with sets of its own.
  ~VyStoryTSAgent() override { UnbindAttributes(); }

  int32_t BeginImport(VyTextAttributeMgr* attributes) override;

 protected:
  // The pair bound to the story's strands, or null.
  VyTextAttributeMgr* GetBoundAttributes() const { return attributes_; }
  void UnbindAttributes();

 private:
  VyTextAttributeMgr* attributes_ = nullptr;
};

}  // namespace kesto
