// Tables of host-dialect sources as tab-separated paragraphs.
#include "kesto/reader/HostTagImportAgent.h"

namespace kesto {

KestoResult HostTagImportAgent::BeginImport(VyTextAttributeMgr* attributes) {
  attributes_ = attributes;
  return KestoScannerAgent::BeginImport(attributes);
}

KestoResult HostTagImportAgent::RowStart() {
  cellsInRow_ = 0;
  return 0;
}

KestoResult HostTagImportAgent::CellStart() {
  return cellsInRow_++ > 0 ? InsertText(u"\t", 1) : KestoResult(0);
}

KestoResult HostTagImportAgent::RowEnd() {
  if (int32_t refused = InsertText(u"\r", 1)) return refused;
  return EndOfParagraph(attributes_);
}

}  // namespace kesto
