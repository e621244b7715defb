// The set-and-clear reading shared by the paragraph list tags.
#include "kesto/reader/ParagraphListTag.h"

#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/NumberConversion.h"

namespace kesto {

ParagraphListTag::ParagraphListTag(KestoScanner& scanner, const ParagraphTargets& targets)
    : scanner_(scanner), target_(targets.target), defaults_(targets.defaults) {}

void ParagraphListTag::Read() {
  // The list reader keeps the first error of the token, so an earlier error would hide this tag's own;
  // the tag is read on a clear error field and the earlier error put back afterwards.
  int32_t earlierError = scanner_.GetError();
  int32_t earlierIndex = scanner_.GetParamIndex();
  scanner_.SetError(0);
  scanner_.Params().ReadList(*this);
  if (earlierError != 0) {
    scanner_.SetError(earlierError);
    scanner_.SetParamIndex(earlierIndex);
  } else if (scanner_.GetError() == 0) {
    scanner_.SetParamIndex(0);
  }
}

void ParagraphListTag::Element(int32_t element, int32_t item) {
  if (element == kBegin) {
    set_ = clear_ = 0;
    failed_ = false;
    Begin();
    return;
  }
  if (element == kEnd) {
    if (!failed_ && scanner_.GetError() == 0 && target_) Apply();
    return;
  }
  if (failed_ || scanner_.GetError() != 0 || item != kNoItem) return;
  if (element == kSingle)
    Single();
  else
    ListElement(element);
}

bool ParagraphListTag::Fail(int32_t code) {
  failed_ = true;
  scanner_.SetErrorIfNone(code);
  return false;
}

int32_t ParagraphListTag::Checked(int32_t result) {
  if (result > 0) Fail(result);
  return result;
}

std::u16string_view ParagraphListTag::Text() const {
  return scanner_.Params().GetText();
}

bool ParagraphListTag::IsQuoted() const {
  return scanner_.Params().IsQuoted();
}

int32_t ParagraphListTag::Number(double& value, uint32_t flags, double minimum, double maximum) {
  return Checked(scanner_.Params().ConvertNumber(value, flags, minimum, maximum));
}

int32_t ParagraphListTag::Integer(int32_t& value, uint32_t flags, int32_t minimum, int32_t maximum) {
  return Checked(scanner_.Params().ConvertInteger(value, flags, minimum, maximum));
}

void ParagraphListTag::DefaultReal(ClassID cls, int bit, double& value) {
  if (defaults_ && defaults_->GetReal(cls, value))
    MarkSet(bit);
  else
    MarkClear(bit);
}

void ParagraphListTag::DefaultInt16(ClassID cls, int bit, int32_t& value) {
  int16_t found = 0;
  if (defaults_ && defaults_->GetInt16(cls, found)) {
    value = found;
    MarkSet(bit);
  } else {
    MarkClear(bit);
  }
}

double ParagraphListTag::Version() const {
  return scanner_.GetVersion();
}

double ParagraphListTag::CurrentReal(ClassID cls, double fallback) const {
  double value = fallback;
  if (target_ && target_->GetReal(cls, value)) return value;
  return fallback;
}

}  // namespace kesto
