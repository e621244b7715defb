// VyCharacterStyleInfo and VyParagraphStyleInfo: a style being defined: its attributes (in the manager),
// its name, the style it is based on, for paragraph styles the next style and the character style that goes
// with it, and its own UID once it exists.
#pragma once

#include <string_view>

#include "host/core/WideString.h"
#include "kesto/model/K2AttributeSetMgr.h"

namespace kesto {

class VyCharacterStyleInfo : public K2AttributeSetMgr {
 public:
  explicit VyCharacterStyleInfo(IDataBase* document = nullptr)
      : VyCharacterStyleInfo(document, StyleKind::kCharacter) {}

  const WideString& GetName() const { return name_; }
  // Keeps at most kMaxStyleNameLength units. The name may carry a group path (U+E00B separated).
  void SetName(std::u16string_view name);
  // 0: based on the table's root style.
  UID GetBasedOn() const { return basedOn_; }
  void SetBasedOn(UID style) { basedOn_ = style; }
  // The style once it is in the document; 0 before.
  UID GetStyleUID() const { return styleUID_; }
  void SetStyleUID(UID style) { styleUID_ = style; }

  // Makes the info a copy of `style` (of the info's kind) under the info's own name: its own attributes as
  // overrides over the style it is based on, which the info is then based on too; paragraph styles also
  // take the next style and character style. False, leaving the info empty on the root style, when `style`
  // is no style of that kind.
  virtual bool LoadFromStyle(UID style);
  // Empties the info and bases it on `style`: it looks like that style and adds nothing of its own.
  void BaseOn(UID style);
  // LoadFromStyle of the default style of the info's kind, else of the root style.
  void LoadFromDefaultStyle();
  // Keeps the look the info has but bases it on the root style: what the styles it was based on gave
  // becomes overrides.
  void RebaseOnRoot();
  // Empty, on the root style, without a UID; the name stays.
  virtual void Clear();

 protected:
  VyCharacterStyleInfo(IDataBase* document, StyleKind kind) : K2AttributeSetMgr(document, kind) {}

 private:
  WideString name_;
  UID basedOn_;
  UID styleUID_;
};

class VyParagraphStyleInfo : public VyCharacterStyleInfo {
 public:
  explicit VyParagraphStyleInfo(IDataBase* document = nullptr)
      : VyCharacterStyleInfo(document, StyleKind::kParagraph) {}

  // 0: paragraphs after this style's keep it.
  UID GetNextStyle() const { return nextStyle_; }
  void SetNextStyle(UID style) { nextStyle_ = style; }
  // A next style named before the document has it (a later line may define it); empty when none.
  const WideString& GetNextStyleName() const { return nextStyleName_; }
  void SetNextStyleName(std::u16string_view name) { nextStyleName_ = WideString(name); }
  // The character style the text of its paragraphs gets with it; 0 for none.
  UID GetCharacterStyle() const { return characterStyle_; }
  void SetCharacterStyle(UID style) { characterStyle_ = style; }

  bool LoadFromStyle(UID style) override;
  void Clear() override;

 private:
  UID nextStyle_;
  WideString nextStyleName_;
  UID characterStyle_;
};

}  // namespace kesto
