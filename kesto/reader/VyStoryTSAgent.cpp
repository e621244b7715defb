// Binding the scanner's attributes to the story.
#include "kesto/reader/VyStoryTSAgent.h"

#include "kesto/model/VyStory.h"

namespace kesto {

int32_t VyStoryTSAgent::BeginImport(VyTextAttributeMgr* attributes) {
  VyStory* story = GetStory();
  if (!story || !attributes) return 0;
  UnbindAttributes();
  attributes->Paragraph().Bind(&story->ParagraphAgent());
  attributes->Character().Bind(&story->CharacterAgent());
  attributes_ = attributes;
  return 0;
}

void VyStoryTSAgent::UnbindAttributes() {
  if (!attributes_) return;
  // The pair keeps what it holds in sets of its own once the story is gone.
  attributes_->Paragraph().Bind(nullptr);
  attributes_->Character().Bind(nullptr);
  attributes_ = nullptr;
}

}  // namespace kesto
