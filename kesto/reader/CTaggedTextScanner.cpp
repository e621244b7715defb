// The scanner base: options, error field and pending text.
#include "kesto/reader/CTaggedTextScanner.h"

#include <new>

#include "kesto/reader/ScannerErrors.h"

namespace kesto {

CTaggedTextScanner::CTaggedTextScanner() : textBuffer_(new (std::nothrow) char16_t[kTextBufferUnits]) {
  if (!textBuffer_) error_ = kScanNoMemoryForScanner;
}

CTaggedTextScanner::~CTaggedTextScanner() = default;

int32_t CTaggedTextScanner::Reset() {
  textCount_ = 0;
  lastChar_ = 0;
  return textBuffer_ ? 0 : kScanNoMemoryForScanner;
}

void CTaggedTextScanner::PushText(int32_t c) {
  if (!textBuffer_) return;
  if (c > 0xFFFF) {
    if (textCount_ + 2 > kTextBufferUnits) return;
    c -= 0x10000;
    textBuffer_[textCount_++] = static_cast<char16_t>(0xD800 + (c >> 10));
    textBuffer_[textCount_++] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    lastChar_ = c + 0x10000;
    return;
  }
  if (textCount_ >= kTextBufferUnits) return;
  textBuffer_[textCount_++] = static_cast<char16_t>(c);
  lastChar_ = c;
}

}  // namespace kesto
