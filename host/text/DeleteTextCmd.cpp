// Deleting text.
#include "host/text/DeleteTextCmd.h"

#include "host/text/ITextRangeData.h"

void DeleteTextCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  if (!story || !range) return Fail(kInvalidParameterError);
  if (ErrorCode err = story->Delete(range->GetStart(), range->GetEnd()); err != kSuccess) return Fail(err);
  NoteChange(TextChange::What::kText, range->GetStart(), range->GetEnd() - range->GetStart(), 0);
}

std::string DeleteTextCmd::CreateName() const {
  return "Delete Text";
}
