// The characters that shape a tag group rather than name a tag: blanks between tags, the group's end, a
// literal "<", line continuations, comments, and a paragraph return where a tag should be.
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

constexpr int32_t kParagraphReturn = 0x0D;
constexpr int32_t kLineFeed = 0x0A;

void Ignore(KestoScanner&, int32_t) {}

void EndGroup(KestoScanner& scanner, int32_t) {
  scanner.SetLexMode(LexMode::kText);
}

void LiteralLessThan(KestoScanner& scanner, int32_t) {
  scanner.PushText('<');
  scanner.SetLexMode(LexMode::kText);
}

// The paragraph return is read again as text, so that a broken tag does not also join two paragraphs.
void UnexpectedEndOfLine(KestoScanner& scanner, int32_t) {
  scanner.SetError(kScanUnexpectedEndOfLine);
  scanner.PushBack();
  scanner.SetLexMode(LexMode::kText);
}

// ":" then a paragraph return continues the group on the next line; ":>" is malformed; ":" before any
// other character takes that character with it. At the end of the input the next tag reports it.
void Continuation(KestoScanner& scanner, int32_t) {
  int32_t c = scanner.NextChar();
  if (c == kParagraphReturn) {
    int32_t next = scanner.NextChar();
    if (next != kLineFeed && next != ScannerInput::kEnd) scanner.PushBack();
  } else if (c == '>') {
    scanner.SetError(kScanMalformedTag);
    scanner.SetLexMode(LexMode::kText);
  }
}

// A comment runs to the next "'"; a backslash makes the "'" after it part of the comment.
void Comment(KestoScanner& scanner, int32_t) {
  for (;;) {
    int32_t c = scanner.NextChar();
    if (c == '\\') {
      c = scanner.NextChar();
      if (c == '\'') continue;
    }
    if (c == '\'') return;
    if (c == ScannerInput::kEnd) {
      scanner.SetError(kScanUnexpectedEndOfInput);
      scanner.SetToken(ScanToken::kEnd);
      return;
    }
    if (c == kParagraphReturn) {
      UnexpectedEndOfLine(scanner, c);
      return;
    }
  }
}

// "X" is unknown too, but its report names no tag.
void UnnamedTag(KestoScanner& scanner, int32_t) {
  scanner.SetError(kScanNoSuchTag);
}

}  // namespace

void RegisterGroupTags(TagDispatchTable& table) {
  table.Register(' ', &Ignore);
  table.Register('\t', &Ignore);
  table.Register('x', &Ignore);
  table.Register('>', &EndGroup);
  table.Register('<', &LiteralLessThan);
  table.Register('\r', &UnexpectedEndOfLine);
  table.Register(':', &Continuation);
  table.Register('\'', &Comment);
  table.Register('X', &UnnamedTag);
}

}  // namespace kesto
