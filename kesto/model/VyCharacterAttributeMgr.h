// VyCharacterAttributeMgr: the character side of a pair of attribute managers: its styles are character
// styles; a temporary attribute set of its kind builds the character attributes of a style.
#pragma once

#include "kesto/model/K2AttributeSet.h"
#include "kesto/model/K2AttributeSetMgr.h"

namespace kesto {

class VyCharacterAttributeMgr : public K2AttributeSetMgr {
 public:
  // An attribute set built for a while (the character attributes of a style a tag applies, say).
  class VyCAttributeSet : public K2AttributeSet {
   public:
    using K2AttributeSet::K2AttributeSet;
  };

  explicit VyCharacterAttributeMgr(IDataBase* document = nullptr)
      : K2AttributeSetMgr(document, StyleKind::kCharacter) {}

  // Sets the character style of that name (kAttrNoSuchName when there is none).
  bool SetStyleByName(std::u16string_view name) { return SetCharacterStyleByName(name); }
  // When `paragraph`'s style has no character style of its own to go with it, the character attributes
  // that style gives become this manager's overrides, on the root character style. Otherwise nothing
  // changes.
  void InheritFromParagraphStyle(const K2AttributeSetMgr& paragraph);
};

}  // namespace kesto
