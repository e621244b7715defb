// The story reference.
#include "kesto/model/VyBaseStory.h"

namespace kesto {

VyBaseStory::VyBaseStory(IDataBase* document, UID story) : document_(document) { BindStory(story); }

void VyBaseStory::BindStory(UID story) {
  story_ = story;
  model_ = Instantiate<ITextModel>(document_, story);
}

}  // namespace kesto
