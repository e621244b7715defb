// DefaultSnapshots: the attributes that "$" values fall back to: D1, a copy of the paragraph attributes taken
// when an import begins, after a paragraph style is applied and after an attribute-stack pop; and D2, a copy
// of the character attributes taken after a character style is applied, cleared whenever D1 is taken.
#pragma once

#include "kesto/model/VyTextAttributeMgr.h"

namespace kesto {

class DefaultSnapshots {
 public:
  void SetDocument(IDataBase* document) { snapshots_.SetDocument(document); }

  // D1 := `paragraph` (style and overrides); D2 is cleared.
  void TakeParagraph(const K2AttributeSetMgr& paragraph);
  // D2 := `character`.
  void TakeCharacter(const K2AttributeSetMgr& character);
  // D2 := `characterStyle` without overrides.
  void TakeCharacterStyleOnly(UID characterStyle);
  // D1 keeps only the style of `paragraph` (no overrides); D2 is cleared.
  void TakeParagraphStyleOnly(UID paragraphStyle);

  const K2AttributeSetMgr& D1() const { return snapshots_.Paragraph(); }
  // Null while D2 holds nothing.
  const K2AttributeSetMgr* D2() const { return hasD2_ ? &snapshots_.Character() : nullptr; }
  // D2 when it holds anything, else D1: where "$$" forms look.
  const K2AttributeSetMgr& D2OrD1() const { return hasD2_ ? snapshots_.Character() : D1(); }

 private:
  VyTextAttributeMgr snapshots_;
  bool hasD2_ = false;
};

}  // namespace kesto
