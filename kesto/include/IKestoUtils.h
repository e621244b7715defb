// IKestoUtils: hands other plug-ins a tagged-text reader and writer of their own, on the host's utilities
// object. They speak in the host's terms (stories, page items, UTF-16 text, the facade's flags and codes),
// so that a plug-in needs none of the engine's own headers; the caller owns what it is given.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/db/IDataBase.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr PMIID IID_IKESTOUTILS = kKestoPrefix + 0x0D;

class IKestoTextReader {
 public:
  virtual ~IKestoTextReader() = default;
  // Reads the Kesto tagged text `text` into `story` of the reader's document at `position`, with the
  // facade's import flags; answers the facade's code (0, or a code its error-string service names).
  virtual int32_t Read(UID story, int32_t position, std::u16string_view text, uint32_t flags) = 0;
};

class IKestoTextWriter {
 public:
  virtual ~IKestoTextWriter() = default;
  // Replaces `out` with [range) of `story` (the whole story for equal ends) as Kesto tagged text, with the
  // facade's export flags; answers the facade's code, `out` then unspecified.
  virtual int32_t WriteStory(UID story, TextRange range, uint32_t flags, std::u16string& out) = 0;
  // Replaces `out` with the page items `items` (back to front) as box tags, each text frame with its story.
  virtual int32_t WriteItems(const std::vector<UID>& items, uint32_t flags, std::u16string& out) = 0;
};

class IKestoUtils : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IKESTOUTILS.Get() };
  // A reader (writer) of `document`; null without a document.
  virtual std::unique_ptr<IKestoTextReader> NewReader(IDataBase* document) const = 0;
  virtual std::unique_ptr<IKestoTextWriter> NewWriter(IDataBase* document) const = 0;
};

}  // namespace kesto
