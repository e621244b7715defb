// The pair of attribute managers of a story.
#include "kesto/model/K2StoryAttributeMgr.h"

namespace kesto {

void K2StoryAttributeMgr::BindStrands(IK2AttributeAgent* paragraphs, IK2AttributeAgent* characters) {
  Paragraph().Bind(paragraphs);
  Character().Bind(characters);
}

void K2StoryAttributeMgr::ResetForCaret() {
  Reset();
  UID paired = Paragraph().PairedCharacterStyle();
  if (paired.IsValid()) (void)Character().SetStyle(paired);
}

}  // namespace kesto
