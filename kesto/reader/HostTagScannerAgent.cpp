// Noting what embedded host tagged text holds.
#include "kesto/reader/HostTagScannerAgent.h"

namespace kesto {

KestoResult HostTagScannerAgent::ParagraphStyleApplied(VyTextAttributeMgr*) {
  if (depth_ == 0) paragraphTag_ = true;
  return 0;
}

KestoResult HostTagScannerAgent::CharacterAttributesChanged(VyTextAttributeMgr*) {
  attributeTag_ = true;
  return 0;
}

KestoResult HostTagScannerAgent::InsertText(const char16_t*, int32_t count) {
  if (count > 0 && !paragraphTag_) textFirst_ = true;
  return 0;
}

KestoResult HostTagScannerAgent::CellStart() {
  ++depth_;
  return 0;
}

KestoResult HostTagScannerAgent::CellEnd() {
  if (depth_ > 0) --depth_;
  return 0;
}

}  // namespace kesto
