// Inserting text.
#include "host/text/InsertTextCmd.h"

#include "host/db/ValueData.h"
#include "host/text/ITextRangeData.h"

void InsertTextCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  InterfacePtr<IStringData> text = QueryParameter<IStringData>();
  if (!story || !range || !text) return Fail(kInvalidParameterError);
  if (ErrorCode err = story->Insert(range->GetStart(), text->Get()); err != kSuccess) return Fail(err);
  NoteChange(TextChange::What::kText, range->GetStart(), 0, static_cast<int32_t>(text->Get().size()));
}

std::string InsertTextCmd::CreateName() const {
  return "Insert Text";
}
