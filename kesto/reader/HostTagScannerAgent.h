// HostTagScannerAgent: the agent of a first pass over embedded host tagged text, which only notes what the
// text holds: whether text comes before any paragraph-style tag, whether such a tag is there at all, and
// whether any attribute tag is. The story then knows whether the text needs the attributes of the insertion
// point in front of it, and in which form to hand it to the host.
#pragma once

#include "kesto/reader/CTagScannerAgent.h"

namespace kesto {

class HostTagScannerAgent final : public CTagScannerAgent {
 public:
  // A paragraph-style tag outside table cells.
  KestoResult ParagraphStyleApplied(VyTextAttributeMgr*) override;
  KestoResult CharacterAttributesChanged(VyTextAttributeMgr*) override;
  KestoResult InsertText(const char16_t* units, int32_t count) override;
  KestoResult CellStart() override;
  KestoResult CellEnd() override;

  // Table cells the scan is inside of.
  int32_t GetDepth() const { return depth_; }
  // A paragraph-style tag came outside table cells.
  bool HasParagraphTag() const { return paragraphTag_; }
  // Text came before any paragraph-style tag.
  bool HasTextFirst() const { return textFirst_; }
  // An attribute tag came, anywhere.
  bool HasAttributeTag() const { return attributeTag_; }

 private:
  int32_t depth_ = 0;
  bool paragraphTag_ = false;
  bool textFirst_ = false;
  bool attributeTag_ = false;
};

}  // namespace kesto
