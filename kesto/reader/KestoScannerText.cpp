// The scanner's text loop: plain text moves from the input buffer to the text buffer in runs; control
// characters, non-characters, quotes and dashes, and the characters that start tags and style lines take
// the slow path one at a time.
#include "kesto/reader/KestoScanner.h"

#include <algorithm>
#include <array>

#include "kesto/reader/ControlCharacters.h"

namespace kesto {

namespace {

constexpr int32_t kParagraphReturn = 0x0D;

// Why an ASCII character leaves the fast path: always, when tags are interpreted, when typography is
// converted.
constexpr uint8_t kAlways = 0x1;
constexpr uint8_t kStartsTag = 0x2;
constexpr uint8_t kTypographic = 0x4;

constexpr std::array<uint8_t, 128> kAsciiClass = [] {
  std::array<uint8_t, 128> table{};
  for (int c = 0; c < 0x20; ++c)
    table[c] = kAlways;
  table['\t'] = 0;
  table['@'] = kAlways;
  table['<'] = kStartsTag;
  table['-'] = kTypographic;
  table['\''] = kTypographic;
  table['"'] = kTypographic;
  return table;
}();

// Copies the plain characters at the start of `run` (of `n`) to `out` and answers how many: the first `first`
// one at a time, then in blocks, and the rest of a block that holds a character for the slow path one at a
// time again.
int32_t CopyPlain(const int32_t* run, int32_t n, char16_t* out, uint8_t mask, int32_t first,
                  const PlainBlocks& blocks) {
  auto oneByOne = [&](int32_t from, int32_t to) {
    for (; from < to; ++from) {
      int32_t c = run[from];
      if (c < 0x80 ? (kAsciiClass[c] & mask) != 0 : c >= 0xD800) break;
      out[from] = static_cast<char16_t>(c);
    }
    return from;
  };
  int32_t i = oneByOne(0, std::min(n, first));
  if (i < first) return i;
  return oneByOne(i + blocks.Copy(run + i, n - i, out + i), n);
}

bool IsWhitespace(int32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The marks of text with no language in force (the scanner keeps no attribute managers).
constexpr int32_t kDoubleOpen = 0x201C;
constexpr int32_t kDoubleClose = 0x201D;
constexpr int32_t kSingleOpen = 0x2018;
constexpr int32_t kSingleClose = 0x2019;
constexpr int32_t kEmDash = 0x2014;

}  // namespace

void KestoScanner::ReadText() {
  const bool interpretTags = HasOption(kInterpretTags);
  const bool convertTypography = HasOption(kConvertQuotes);
  const bool keepControls = HasOption(kKeepControlCharacters);
  const uint8_t mask = kAlways | (interpretTags ? kStartsTag : 0) | (convertTypography ? kTypographic : 0);
  if (plainBlocksOptions_ != GetOptions()) {
    plainBlocks_ = PlainBlocks(interpretTags, convertTypography);
    plainBlocksOptions_ = GetOptions();
  }
  // Text straight after a tag is often a single character: blocks are tried once a few plain ones came.
  int32_t plainFirst = 2;
  for (;;) {
    // Plain characters go straight from the input buffer to the text buffer.
    int32_t available;
    const int32_t* run = input_.Run(available);
    if (available > 0) {
      int32_t n = std::min(available, kFlushUnits - textCount_);
      char16_t* out = textBuffer_.get() + textCount_;
      int32_t i = CopyPlain(run, n, out, mask, plainFirst, plainBlocks_);
      plainFirst = 0;
      if (i > 0) {
        input_.Advance(i);
        textCount_ += i;
        lastChar_ = run[i - 1];
        if (textCount_ >= kFlushUnits && Flush()) return;
        // Stopped short of the run's end: the character there takes the slow path at once.
        if (i == n) continue;
      }
    }

    int32_t c = input_.Next();
    if (c == ScannerInput::kEnd) {
      if (!Flush() && !CompleteDefinitionAtEnd()) token_ = ScanToken::kEnd;
      return;
    }
    if (c == '<' && interpretTags) {
      LeaveText(LexMode::kTag);
      return;
    }
    if (c == '@' && interpretTags && (version_ < 7 || lastChar_ == 0 || lastChar_ == kParagraphReturn)) {
      LeaveText(LexMode::kStyleLine);
      return;
    }
    if (c < 0x20 && !keepControls) {
      ControlMapping mapping = MapControlCharacter(c);
      if (mapping.kind == ControlMapping::Kind::kDrop) continue;
      if (mapping.kind == ControlMapping::Kind::kBreak) {
        // Text before the break goes first; the break is read again for the next token.
        if (Flush()) {
          input_.PushBack();
          return;
        }
        // A break on a definition or header line would insert a paragraph return from a line whose
        // text is never inserted.
        if (defMode_ != DefMode::kNormal) continue;
        breakKind_ = mapping.value;
        breakRepeats_ = TakeRepeats(c);
        token_ = ScanToken::kBreakCharacter;
        return;
      }
      c = mapping.value;
    } else if (IsNonCharacter(c)) {
      continue;
    }
    if (convertTypography) c = ConvertTypography(c);
    PushText(c);
    if ((textCount_ >= kFlushUnits || c == kParagraphReturn) && Flush()) {
      // Empty paragraphs straight after the return go with it, as one block of returns.
      if (c == kParagraphReturn && token_ == ScanToken::kText) returnRepeats_ = TakeRepeats(c);
      return;
    }
  }
}

// The same character straight after, taken with it: a long row of breaks or empty paragraphs is handed over
// as one block of returns rather than one token each.
int32_t KestoScanner::TakeRepeats(int32_t c) {
  int32_t available;
  const int32_t* run = input_.Run(available);
  int32_t count = 0;
  while (count < available && run[count] == c)
    ++count;
  input_.Advance(count);
  return count;
}

bool KestoScanner::LeaveText(LexMode mode) {
  lexMode_ = mode;
  position_ = input_.GetConsumedBytePosition();
  return Flush();
}

int32_t KestoScanner::ConvertTypography(int32_t c) {
  if (c == '-') {
    int32_t next = input_.Next();
    if (next == '-') return kEmDash;
    if (next != ScannerInput::kEnd) input_.PushBack();
    return c;
  }
  if (c != '\'' && c != '"') return c;
  bool isDouble = c == '"';
  int32_t last = lastChar_;
  bool opens = last == 0 || IsWhitespace(last) || last == kDoubleOpen || last == '(' || last == '[' ||
               last == '{' || (isDouble && last == kSingleOpen);
  if (isDouble) return opens ? kDoubleOpen : kDoubleClose;
  return opens ? kSingleOpen : kSingleClose;
}

}  // namespace kesto
