// The dispatch table and the reading of one tag.
#include "kesto/reader/TagDispatcher.h"

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

TagDispatchTable::TagDispatchTable() {
  handlers_.fill(&NoSuchTag);
  RegisterGroupTags(*this);
  RegisterHeaderTags(*this);
}

const TagDispatchTable& TagDispatchTable::Get() {
  static const TagDispatchTable table;
  return table;
}

void TagDispatchTable::Register(char first, TagHandler handler) {
  auto index = static_cast<unsigned char>(first);
  if (index < handlers_.size()) handlers_[index] = handler;
}

TagHandler TagDispatchTable::Find(int32_t first) const {
  return first >= 0 && first < static_cast<int32_t>(handlers_.size()) ? handlers_[first] : &NoSuchTag;
}

void NoSuchTag(KestoScanner& scanner, int32_t first) {
  scanner.SetError(kScanNoSuchTag);
  bool control = first < 0x20 || (first >= 0x7F && first < 0xA0);
  scanner.GetTagName().Clear();
  scanner.GetTagName().AppendChar(control ? '?' : first);
}

void DispatchTag(KestoScanner& scanner) {
  // The tags of a skipped color or H&J definition are not read.
  DefMode mode = scanner.GetDefMode();
  if (mode == DefMode::kColor || mode == DefMode::kHJ) {
    for (int32_t c = scanner.NextChar(); c != ScannerInput::kEnd && c != '>'; c = scanner.NextChar()) {
    }
    scanner.SetLexMode(LexMode::kText);
    return;
  }
  int32_t first = scanner.NextChar();
  if (first == ScannerInput::kEnd) {
    scanner.SetError(kScanUnexpectedEndOfInput);
    scanner.SetToken(ScanToken::kEnd);
    return;
  }
  TagDispatchTable::Get().Find(first)(scanner, first);
}

}  // namespace kesto
