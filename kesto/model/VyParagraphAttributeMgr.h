// VyParagraphAttributeMgr: the paragraph side of a pair of attribute managers: its styles are paragraph
// styles, and it holds the attributes that apply to whole paragraphs.
#pragma once

#include "kesto/model/K2AttributeSetMgr.h"

namespace kesto {

class VyParagraphAttributeMgr : public K2AttributeSetMgr {
 public:
  explicit VyParagraphAttributeMgr(IDataBase* document = nullptr)
      : K2AttributeSetMgr(document, StyleKind::kParagraph) {}

  // Sets the paragraph style of that name (kAttrNoSuchName when there is none).
  bool SetStyleByName(std::u16string_view name) { return SetParagraphStyleByName(name); }
};

}  // namespace kesto
