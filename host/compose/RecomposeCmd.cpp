// Composing stories on request.
#include "host/compose/RecomposeCmd.h"

#include <vector>

#include "host/cmd/ErrorUtils.h"
#include "host/compose/StoryComposer.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/ITextModel.h"

void RecomposeCmd::Do() {
  IDataBase* db = GetItemList().GetDataBase();
  std::vector<UID> stories;
  for (UID item : GetItemList().UIDs()) {
    UID story = LayoutUtils::IsTextFrame(db, item) ? LayoutUtils::StoryOfFrame(db, item) : item;
    if (!Instantiate<ITextModel>(db, story)) {
      ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
      return;
    }
    stories.push_back(story);
  }
  for (UID story : stories)
    (void)StoryComposer::ComposeFully(db, story);
}
