// IHostTagDialect: what a story needs of the host tagged-text dialect's reader and writer to insert a
// passage of host tagged text. The story sits below both, so the reader's side hands it an implementation.
#pragma once

#include <string_view>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"

namespace kesto {

class VyBaseStory;

// What a passage holds.
struct HostTagFacts {
  bool paragraphTag = false;  // a paragraph-style tag outside table cells
  bool textFirst = false;     // text before any paragraph-style tag
  bool attributeTag = false;  // an attribute tag anywhere
};

class IHostTagDialect {
 public:
  virtual ~IHostTagDialect() = default;
  // Scans `passage` with the styles and attributes of `db`.
  virtual HostTagFacts Scan(IDataBase* db, std::u16string_view passage) = 0;
  // The tags of the paragraph and character attributes in force at host index `index` of `story`, without
  // the character there; empty when the story cannot be written.
  virtual WideString AttributesAt(const VyBaseStory& story, int32_t index) = 0;
};

}  // namespace kesto
