// The clipboard source of imports.
#include "kesto/streams/KestoClipboardAgent.h"

#include <algorithm>
#include <new>

#include "host/ui/Clipboard.h"
#include "kesto/streams/FileSystemErrors.h"

namespace kesto {

namespace {

// Copies `text` into `bytes` as UTF-16 little-endian; false when the block could not take it all.
bool CopyText(std::u16string_view text, VyMemoryXferBytes& bytes) {
  uint8_t piece[4096];
  while (!text.empty()) {
    size_t units = std::min(text.size(), sizeof(piece) / 2);
    for (size_t i = 0; i < units; ++i) {
      piece[2 * i] = static_cast<uint8_t>(text[i]);
      piece[2 * i + 1] = static_cast<uint8_t>(text[i] >> 8);
    }
    if (bytes.Write(piece, units * 2) != units * 2) return false;
    text.remove_prefix(units);
  }
  bytes.Flush();
  return true;
}

}  // namespace

KestoClipboardAgent::KestoClipboardAgent(std::unique_ptr<VyMemoryXferBytes> bytes,
                                         std::unique_ptr<XferBytesStream> stream, StreamEncoding encoding)
    : VyPMStreamStreamAgent(stream.get(), kReadMode, encoding),
      bytes_(std::move(bytes)),
      stream_(std::move(stream)) {}

std::unique_ptr<KestoClipboardAgent> KestoClipboardAgent::Create(int16_t& error) {
  error = kOutOfMemoryErr;
  std::unique_ptr<VyMemoryXferBytes> bytes(new (std::nothrow) VyMemoryXferBytes());
  if (!bytes) return nullptr;

  StreamEncoding encoding = StreamEncoding::kWindowsLatin;
  ClipboardContents contents;
  // A clipboard that cannot be read gives an empty import, like one without text.
  if (Clipboard::Read(contents) && contents.text && !contents.hostData) {
    std::u16string_view text = *contents.text;
    text = text.substr(0, text.find(u'\0'));
    if (!CopyText(text, *bytes)) return nullptr;
    encoding = StreamEncoding::kUtf16LE;
  }

  std::unique_ptr<XferBytesStream> stream(new (std::nothrow)
                                              XferBytesStream(bytes.get(), XferBytesStream::Mode::kRead));
  if (!stream) return nullptr;
  std::unique_ptr<KestoClipboardAgent> agent(
      new (std::nothrow) KestoClipboardAgent(std::move(bytes), std::move(stream), encoding));
  if (agent) error = kNoFileError;
  return agent;
}

void KestoClipboardAgent::GetName(WideString& out) const {
  out = u"Clipboard";
}

}  // namespace kesto
