// Copying text between stories.
#include "host/text/CopyTextCmd.h"

#include "host/text/ITextCopyData.h"
#include "host/text/ITextRangeData.h"

// Style and swatch references are UIDs of one document, so text is copied only between stories of the
// same document; a copy from another document is refused rather than left pointing at foreign objects.
void CopyTextCmd::Do() {
  InterfacePtr<ITextModel> target = QueryStory();
  InterfacePtr<ITextRangeData> range = QueryParameter<ITextRangeData>();
  InterfacePtr<ITextCopyData> copy = QueryParameter<ITextCopyData>();
  if (!target || !range || !copy) return Fail(kInvalidParameterError);
  if (copy->HasStyledText())
    return Replace(*target, range->GetStart(), range->GetEnd(), copy->TakeStyledText());
  const UIDRef& sourceRef = copy->GetSourceStory();
  if (sourceRef.GetDataBase() != GetItemList().GetDataBase()) return Fail(kInvalidParameterError);
  InterfacePtr<ITextModel> source = sourceRef.Query<ITextModel>();
  int32_t start = copy->GetSourceStart();
  int32_t end = copy->GetSourceEnd();
  if (!source || start < 0 || start > end || end > source->TotalLength()) return Fail(kInvalidParameterError);
  Replace(*target, range->GetStart(), range->GetEnd(), source->GetStyledText(start, end));
}

void CopyTextCmd::Replace(ITextModel& target, int32_t start, int32_t end, StyledText styled) {
  if (start < 0 || start > end || end >= target.TotalLength()) return Fail(kInvalidParameterError);
  if (ErrorCode err = target.Delete(start, end); err != kSuccess) return Fail(err);
  auto inserted = static_cast<int32_t>(styled.text.size());
  if (ErrorCode err = target.InsertStyled(start, std::move(styled)); err != kSuccess) return Fail(err);
  NoteChange(TextChange::What::kText, start, end - start, inserted);
}

std::string CopyTextCmd::CreateName() const {
  InterfacePtr<ITextCopyData> copy = QueryParameter<ITextCopyData>();
  return copy && copy->HasStyledText() ? "Insert Text" : "Copy Text";
}
