// HostTagImportAgent: the import agent for a whole source in the host's tagged-text dialect. The story
// keeps no tables, so a table's rows become paragraphs with their cells separated by tabs; everything else
// is the Kesto import agent's.
#pragma once

#include "kesto/reader/KestoScannerAgent.h"

namespace kesto {

class HostTagImportAgent final : public KestoScannerAgent {
 public:
  using KestoScannerAgent::KestoScannerAgent;

  KestoResult BeginImport(VyTextAttributeMgr* attributes) override;
  KestoResult RowStart() override;
  // A tab before every cell but a row's first.
  KestoResult CellStart() override;
  // A paragraph return.
  KestoResult RowEnd() override;

 private:
  VyTextAttributeMgr* attributes_ = nullptr;
  int32_t cellsInRow_ = 0;
};

}  // namespace kesto
