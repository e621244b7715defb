// KestoClipboardAgent: the byte source of an import from the clipboard. It copies the clipboard's Unicode
// text into a transfer block and reads it through a host stream, so the import sees the clipboard as it
// was when the agent was made.
#pragma once

#include <memory>

#include "host/db/XferBytesStream.h"
#include "kesto/streams/VyMemoryXferBytes.h"
#include "kesto/streams/VyPMStreamStreamAgent.h"

namespace kesto {

class KestoClipboardAgent final : public VyPMStreamStreamAgent {
 public:
  // Reads the clipboard. Its text makes a UTF-16 little-endian source, up to the first zero unit; a
  // clipboard without text, or one holding the host's own copied data, makes an empty Windows Latin source
  // (an empty import, not an error). Answers nullptr and sets `error` to kOutOfMemoryErr when the transfer
  // block cannot be made; `error` is 0 otherwise.
  static std::unique_ptr<KestoClipboardAgent> Create(int16_t& error);

  // "Clipboard".
  void GetName(WideString& out) const override;

 private:
  KestoClipboardAgent(std::unique_ptr<VyMemoryXferBytes> bytes, std::unique_ptr<XferBytesStream> stream,
                      StreamEncoding encoding);

  std::unique_ptr<VyMemoryXferBytes> bytes_;
  std::unique_ptr<XferBytesStream> stream_;
};

}  // namespace kesto
