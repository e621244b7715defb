// HostTagDialect: the host tagged-text dialect as a story needs it for embedded passages: HostTagScanner
// with a HostTagScannerAgent to learn what a passage holds, HostTagPutter with a HostTagPutterAgent to write
// the attributes in force.
#pragma once

#include "kesto/model/IHostTagDialect.h"

namespace kesto {

class HostTagDialect final : public IHostTagDialect {
 public:
  HostTagFacts Scan(IDataBase* db, std::u16string_view passage) override;
  // Tags only, long names, no header.
  WideString AttributesAt(const VyBaseStory& story, int32_t index) override;
};

}  // namespace kesto
