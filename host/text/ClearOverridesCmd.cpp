// Clearing overrides.
#include "host/text/ClearOverridesCmd.h"

#include "host/text/ITextAttributeData.h"
#include "host/text/ITextRangeData.h"

void ClearOverridesCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  InterfacePtr<ITextAttributeData> data = QueryParameter<ITextAttributeData>();
  if (!story || !range || !data) return Fail(kInvalidParameterError);
  ErrorCode err =
      story->ClearOverrides(data->GetStrand(), range->GetStart(), range->GetEnd(), data->GetClasses());
  if (err != kSuccess) return Fail(err);
  NoteChange(data->GetStrand() == TextStrand::kParagraph ? TextChange::What::kParagraphAttributes
                                                         : TextChange::What::kCharacterAttributes,
             range->GetStart(), range->GetEnd() - range->GetStart(), range->GetEnd() - range->GetStart());
}
