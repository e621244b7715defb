// The default document's main story.
#include "host/app/DefaultDocument.h"

#include "host/cmd/ErrorUtils.h"
#include "host/text/IStoryList.h"
#include "host/text/TextCmdUtils.h"

namespace DefaultDocument {

void AddDefaultContent(IDataBase& db, UID) {
  UID story;
  if (TextCmdUtils::NewStory(&db, story) != kSuccess) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

UID GetMainStory(IDataBase& db) {
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  return stories && stories->CountStories() > 0 ? stories->GetNthStory(0) : kInvalidUID;
}

}  // namespace DefaultDocument
