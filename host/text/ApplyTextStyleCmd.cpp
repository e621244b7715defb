// Applying paragraph and character styles.
#include "host/text/ApplyTextStyleCmd.h"

#include "host/db/ValueData.h"
#include "host/text/ITextRangeData.h"
#include "host/text/StyleUtils.h"

void ApplyTextStyleCmd::Do() {
  InterfacePtr<ITextModel> story = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  InterfacePtr<IUIDData> style = QueryParameter<IUIDData>();
  InterfacePtr<IBoolData> clear = QueryParameter<IBoolData>();
  if (!story || !range || !style) return Fail(kInvalidParameterError);
  if (!StyleUtils::QueryStyle(GetItemList().GetDataBase(), style->Get(), kind_))
    return Fail(kInvalidParameterError);
  TextStrand strand = kind_ == StyleKind::kParagraph ? TextStrand::kParagraph : TextStrand::kCharacter;
  ErrorCode err =
      story->ApplyStyle(strand, range->GetStart(), range->GetEnd(), style->Get(), clear && clear->Get());
  if (err != kSuccess) return Fail(err);
  NoteChange(strand == TextStrand::kParagraph ? TextChange::What::kParagraphAttributes
                                              : TextChange::What::kCharacterAttributes,
             range->GetStart(), range->GetEnd() - range->GetStart(), range->GetEnd() - range->GetStart());
}
