// ParagraphListTag: the common reading of the paragraph tags whose parameter is a list: each element
// either sets its attribute or removes its override, and nothing is written unless the whole list was
// read without an error, so that a bad element leaves the paragraph as it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/IDs.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/reader/ParagraphTags.h"
#include "kesto/reader/TagParameterReader.h"

namespace kesto {

class ParagraphListTag : public ListHandler {
 public:
  ParagraphListTag(KestoScanner& scanner, const ParagraphTargets& targets);

  // Reads the list (or single value) and, when no element failed, writes the result. An error set by an
  // earlier tag of the group is kept for the report and does not stop this tag.
  void Read();

  void Element(int32_t element, int32_t item) final;

 protected:
  // Loads the values in force and the defaults; the flags are already clear.
  virtual void Begin() = 0;
  // The value written without parentheses.
  virtual void Single() = 0;
  // List element `element` (0-based); sub-list items are not part of these tags and are ignored.
  virtual void ListElement(int32_t element) = 0;
  // Writes the result; called only when every element was read without an error.
  virtual void Apply() = 0;

  // Sets `code` as the tag's error (the first error of the tag wins); answers false.
  bool Fail(int32_t code);
  // A nonzero conversion result other than kNumberDefault is the tag's error; answers `result`.
  int32_t Checked(int32_t result);

  std::u16string_view Text() const;
  bool IsQuoted() const;
  bool IsDefault() const { return !IsQuoted() && Text() == u"$"; }
  // The element converted as a number or an integer; failures are the tag's error.
  int32_t Number(double& value, uint32_t flags, double minimum, double maximum);
  int32_t Integer(int32_t& value, uint32_t flags, int32_t minimum, int32_t maximum);

  // Set and clear flags, one bit per attribute.
  void MarkSet(int bit) {
    set_ |= Bit(bit);
    clear_ &= ~Bit(bit);
  }
  void MarkClear(int bit) {
    clear_ |= Bit(bit);
    set_ &= ~Bit(bit);
  }
  void Unmark(int bit) {
    set_ &= ~Bit(bit);
    clear_ &= ~Bit(bit);
  }
  bool IsSet(int bit) const { return (set_ & Bit(bit)) != 0; }
  bool IsCleared(int bit) const { return (clear_ & Bit(bit)) != 0; }

  // "$" for a real attribute: the default's value (set), else the override is to be removed.
  void DefaultReal(ClassID cls, int bit, double& value);
  void DefaultInt16(ClassID cls, int bit, int32_t& value);
  // Writes one attribute as its flags say: removes the override, or runs `set` (a setter answering
  // whether it wrote), failing with an internal error when the manager refused.
  template <class Setter>
  void Write(ClassID cls, int bit, Setter set) {
    if (IsCleared(bit))
      (void)target_->ClearOverride(cls);
    else if (IsSet(bit) && !set())
      Fail(kInternalError);
  }

  double Version() const;
  // The value in force in the target for `cls`, or `fallback`.
  double CurrentReal(ClassID cls, double fallback) const;

  KestoScanner& scanner_;
  K2AttributeSetMgr* target_;
  const K2AttributeSetMgr* defaults_;

 private:
  static constexpr int32_t kInternalError = 28;
  static constexpr uint32_t Bit(int bit) { return 1u << bit; }
  uint32_t set_ = 0;
  uint32_t clear_ = 0;
  bool failed_ = false;
};

}  // namespace kesto
