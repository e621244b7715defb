// The import target story.
#include "kesto/model/XStory.h"

#include <new>
#include <utility>

#include "host/cmd/CmdUtils.h"
#include "host/layout/LayoutUtils.h"

namespace kesto {

XStory::XStory(IDataBase* document, UID uid, int32_t start, int32_t end)
    : VyStreamingStory(document, uid, start, end) {}

XStory::XStory(IDataBase* document, UID frame)
    : VyStreamingStory(document, LayoutUtils::StoryOfFrame(document, frame), 0, 0) {
  BaseAtFrame(frame);
  needsPlaceholder_ = true;
}

XStory::~XStory() {
  if (!sequence_) return;
  try {
    if (!IsGivenUp()) {
      EndImport();
      return;
    }
  } catch (const std::bad_alloc&) {
  }
  // An import given up (or one that ran out of memory as it ended) is taken back as a whole.
  try {
    if (sequence_) CmdUtils::AbortCommandSequence(std::exchange(sequence_, nullptr));
  } catch (const std::bad_alloc&) {
  }
}

void XStory::BeginImport() {
  if (sequence_) return;
  sequence_ = CmdUtils::BeginCommandSequence();
  if (sequence_) sequence_->SetName("A8DcImport");
}

void XStory::EndImport() {
  Finish(0);
  // The final range would be shown in the layout here; the host has no layout view to show it in.
  if (sequence_) (void)CmdUtils::EndCommandSequence(std::exchange(sequence_, nullptr));
}

bool XStory::ApplyObject(int32_t start, int32_t end, ClassID cls, std::shared_ptr<AttributeObject> value) {
  if (end <= start) return false;
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(cls, ObjectRef(std::move(value)));
  if (!attribute) return false;
  return ApplyAttributeToRange(start, end - start, attribute.get());
}

bool XStory::ApplyHiddenText(int32_t start, int32_t end, const HiddenTextRecord& record) {
  auto value = std::make_shared<HiddenTextValue>();
  value->record = record;
  return ApplyObject(start, end, kKestoHiddenTextAttr, std::move(value));
}

bool XStory::ApplyNumeric(int32_t start, int32_t end, int32_t a, int32_t b, int32_t c) {
  auto value = std::make_shared<NumericValue>();
  value->values = {a, b, c};
  return ApplyObject(start, end, kKestoNumericAttr, std::move(value));
}

bool XStory::ApplyText(int32_t start, int32_t end, const WideString& text, int16_t a, int16_t b, int16_t c) {
  auto value = std::make_shared<TextValue>();
  value->text = text;
  value->numbers = {a, b, c};
  return ApplyObject(start, end, kKestoTextAttr, std::move(value));
}

}  // namespace kesto
