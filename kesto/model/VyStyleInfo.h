// VyCharacterStyleInfo and VyParagraphStyleInfo: a style being defined: its attributes (in the manager),
// its name, the style it is based on, for paragraph styles the next style, and its own UID once it exists.
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

 private:
  UID nextStyle_;
};

}  // namespace kesto
