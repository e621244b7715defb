// Deleting text.
#include "host/text/DeleteTextCmd.h"

#include "host/text/ITextRangeData.h"

void DeleteTextCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  if (!story || !range) return Fail(kInvalidParameterError);
  if (ErrorCode err = story->Delete(range->GetStart(), range->GetEnd()); err != kSuccess) Fail(err);
}

std::string DeleteTextCmd::CreateName() const {
  return "Delete Text";
}
