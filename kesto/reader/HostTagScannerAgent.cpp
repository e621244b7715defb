// Noting what embedded host tagged text holds.
#include "kesto/reader/HostTagScannerAgent.h"

namespace kesto {

int32_t HostTagScannerAgent::ParagraphStyleApplied(VyTextAttributeMgr*) {
  if (depth_ == 0) paragraphTag_ = true;
  return 0;
}

int32_t HostTagScannerAgent::CharacterAttributesChanged(VyTextAttributeMgr*) {
  attributeTag_ = true;
  return 0;
}

int32_t HostTagScannerAgent::InsertText(const char16_t*, int32_t count) {
  if (count > 0 && !paragraphTag_) textFirst_ = true;
  return 0;
}

int32_t HostTagScannerAgent::CellStart() {
  ++depth_;
  return 0;
}

int32_t HostTagScannerAgent::CellEnd() {
  if (depth_ > 0) --depth_;
  return 0;
}

}  // namespace kesto
