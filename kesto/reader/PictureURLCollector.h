// PictureURLCollector: the scanner agent of a first, read-only pass over a source, which notes the http and
// https pictures its picture boxes name, in text order, so that they can be fetched together before the
// import proper asks for them one at a time.
#pragma once

#include <string>
#include <vector>

#include "kesto/reader/CTagScannerAgent.h"

namespace kesto {

class PictureURLCollector final : public CTagScannerAgent {
 public:
  int32_t CreateBox(int32_t boxKind, VyPageItemInfo* box) override;
  // The URLs, UTF-8, each once, in the order the text first names them.
  const std::vector<std::string>& URLs() const { return urls_; }

 private:
  std::vector<std::string> urls_;
};

}  // namespace kesto
