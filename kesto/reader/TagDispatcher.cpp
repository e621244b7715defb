// The dispatch table and the reading of one tag.
#include "kesto/reader/TagDispatcher.h"

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/UnknownTagLetter.h"

namespace kesto {

namespace {

// "&" and the character after it name the tag; an unknown pair is "No such tag" named by both.
void DispatchExtension(KestoScanner& scanner, int32_t) {
  int32_t second = scanner.NextChar();
  if (TagHandler handler = TagDispatchTable::Get().FindExtension(second)) {
    scanner.GetTagName().Set(u"&");
    handler(scanner, second);
    return;
  }
  ReportUnknownTagLetter(scanner, u"&", second);
}

// A tag followed straight by the end of its group, as most are, ends the group here rather than through
// another round of the scanner's loop. Whatever needs that round (an error or a token to report, text to
// hand over, characters from a macro or a translation, a refill) takes it.
void EndGroupAtOnce(KestoScanner& scanner) {
  if (scanner.GetLexMode() != LexMode::kTag || scanner.GetError() != 0 ||
      scanner.GetToken() != ScanToken::kNone || scanner.GetTextCount() != 0)
    return;
  ScannerInput& input = scanner.GetInput();
  int32_t available;
  const int32_t* next = input.Run(available);
  if (available == 0 || *next != '>') return;
  input.Advance(1);
  scanner.SetParamIndex(0);
  scanner.SetLexMode(LexMode::kText);
}

}  // namespace

TagDispatchTable::TagDispatchTable() {
  handlers_.fill(&NoSuchTag);
  extensions_.fill(nullptr);
  handlers_['&'] = &DispatchExtension;
  RegisterGroupTags(*this);
  RegisterHeaderTags(*this);
  RegisterCharacterTags(*this);
  RegisterSpecialCharacters(*this);
  RegisterAttributeStackTags(*this);
  RegisterParagraphTags(*this);
  RegisterStyleTags(*this);
  RegisterMacroTags(*this);
  RegisterTranslationTags(*this);
  RegisterHiddenTextTags(*this);
  RegisterExtensionTags(*this);
  RegisterMasterPageTags(*this);
  RegisterBoxTags(*this);
}

void TagDispatchTable::Register(char first, TagHandler handler) {
  auto index = static_cast<unsigned char>(first);
  if (index < handlers_.size()) handlers_[index] = handler;
}

void TagDispatchTable::RegisterExtension(char second, TagHandler handler) {
  auto index = static_cast<unsigned char>(second);
  if (index < extensions_.size()) extensions_[index] = handler;
}

TagHandler TagDispatchTable::FindExtension(int32_t second) const {
  return second >= 0 && second < static_cast<int32_t>(extensions_.size()) ? extensions_[second] : nullptr;
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
  // A report names the list element of the tag it is about, never one of an earlier tag.
  scanner.SetParamIndex(0);
  int32_t first = scanner.NextChar();
  if (first == ScannerInput::kEnd) {
    scanner.SetError(kScanUnexpectedEndOfInput);
    scanner.SetToken(ScanToken::kEnd);
    return;
  }
  TagDispatchTable::Get().Find(first)(scanner, first);
  EndGroupAtOnce(scanner);
}

}  // namespace kesto
