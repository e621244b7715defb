// XlationTextStream: the text stream that reads translation-table files. Such files are often saved in an
// 8-bit code page while claiming UTF-8, so an invalid UTF-8 sequence switches the stream to a fallback
// 8-bit encoding for the rest of the file instead of being replaced.
#pragma once

#include "kesto/streams/VyTextStream.h"

namespace kesto {

class XlationTextStream final : public VyTextStream {
 public:
  // `fallback` is the 8-bit encoding to fall back to: kWindowsLatin or kMacRoman in practice.
  XlationTextStream(VyStreamAgent* agent, StreamEncoding fallback, int32_t lineEndMode)
      : VyTextStream(agent, lineEndMode), fallback_(fallback) {}
  XlationTextStream(VyStreamAgent* agent, StreamEncoding encoding, StreamEncoding fallback,
                    int32_t lineEndMode)
      : VyTextStream(agent, encoding, lineEndMode), fallback_(fallback) {}

  StreamEncoding GetFallbackEncoding() const { return fallback_; }

 protected:
  // In UTF-8: switches to the fallback encoding and answers the lead byte in it (a byte that encoding
  // cannot map counts as replaced). UTF-16 and UTF-32 text has no 8-bit reading, so there the sequence is
  // replaced as usual.
  int32_t InvalidSequence(uint32_t value) override;

 private:
  StreamEncoding fallback_;
};

}  // namespace kesto
