// K2StoryAttributeMgr: the pair of attribute managers as a story holds it: bound to the story's paragraph
// and character strand agents, reset to the caret's defaults before the strands load the caret's
// attributes.
#pragma once

#include "kesto/model/VyTextAttributeMgr.h"

namespace kesto {

class K2StoryAttributeMgr : public VyTextAttributeMgr {
 public:
  explicit K2StoryAttributeMgr(IDataBase* document = nullptr) : VyTextAttributeMgr(document) {}

  // Binds the paragraph side to `paragraphs` and the character side to `characters`; the story keeps both
  // agents alive while bound. A null agent gives that side an empty set of its own.
  void BindStrands(IK2AttributeAgent* paragraphs, IK2AttributeAgent* characters);
  // Both sides reset, and the character side on the character style that goes with the paragraph style in
  // force (the root character style when there is none).
  void ResetForCaret();
};

}  // namespace kesto
