// The "$" default snapshots D1 and D2.
#include "kesto/reader/DefaultSnapshots.h"

namespace kesto {

void DefaultSnapshots::TakeParagraph(const K2AttributeSetMgr& paragraph) {
  snapshots_.Paragraph().CopyFrom(paragraph);
  snapshots_.Character().LoadFrom(kInvalidUID, AttributeBossList());
  hasD2_ = false;
}

void DefaultSnapshots::TakeCharacter(const K2AttributeSetMgr& character) {
  snapshots_.Character().CopyFrom(character);
  hasD2_ = true;
}

void DefaultSnapshots::TakeCharacterStyleOnly(UID characterStyle) {
  snapshots_.Character().LoadFrom(characterStyle, AttributeBossList());
  hasD2_ = true;
}

void DefaultSnapshots::TakeParagraphStyleOnly(UID paragraphStyle) {
  snapshots_.Paragraph().LoadFrom(paragraphStyle, AttributeBossList());
  snapshots_.Character().LoadFrom(kInvalidUID, AttributeBossList());
  hasD2_ = false;
}

}  // namespace kesto
