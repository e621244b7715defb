// The character side of a pair of attribute managers.
#include "kesto/model/VyCharacterAttributeMgr.h"

namespace kesto {

void VyCharacterAttributeMgr::InheritFromParagraphStyle(const K2AttributeSetMgr& paragraph) {
  UID root = RootStyle();
  UID paired = paragraph.PairedCharacterStyle();
  if (!root.IsValid() || (paired.IsValid() && paired != root)) return;
  AttributeBossList inherited = paragraph.StyleAttributesAboveRoot(paragraph.GetStyle()).FilterByScope(false);
  LoadFrom(root, inherited);
}

}  // namespace kesto
