// Applying overrides.
#include "host/text/ApplyOverridesCmd.h"

#include "host/text/ITextAttributeData.h"
#include "host/text/ITextRangeData.h"

void ApplyOverridesCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  InterfacePtr<ITextAttributeData> data = QueryParameter<ITextAttributeData>();
  if (!story || !range || !data) return Fail(kInvalidParameterError);
  ErrorCode err =
      story->ApplyOverrides(data->GetStrand(), range->GetStart(), range->GetEnd(), data->GetAttributes());
  if (err != kSuccess) return Fail(err);
  NoteChange(data->GetStrand() == TextStrand::kParagraph ? TextChange::What::kParagraphAttributes
                                                         : TextChange::What::kCharacterAttributes,
             range->GetStart(), range->GetEnd() - range->GetStart(), range->GetEnd() - range->GetStart());
}
