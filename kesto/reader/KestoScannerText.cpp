// The scanner's text loop: plain text moves from the input buffer to the text buffer in runs; control
// characters, non-characters, quotes and dashes, and the characters that start tags and style lines take
// the slow path one at a time.
#include "kesto/reader/KestoScanner.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Copies characters from `run` to `out` eight at a time for as long as none of the eight leaves the fast
// path (kAsciiClass, with the tag and typography classes when `tags` and `typography` say so); answers how
// many it copied. The character loop costs several instructions per character, and plain text is most of
// every import; where vector instructions are missing it copies none.
int32_t CopyPlainBlocks(const int32_t* run, int32_t n, char16_t* out, bool tags, bool typography) {
  int32_t i = 0;
#if defined(__SSE2__)
  // Eight characters are packed into 16-bit lanes as c - 0x8000, so that signed comparisons order them.
  // Characters past 0xFFFF saturate to the top of the range and leave, like surrogates.
  constexpr int16_t kBias = -0x8000;
  auto biased = [](int32_t c) { return _mm_set1_epi16(static_cast<int16_t>(c + kBias)); };
  const __m128i bias = _mm_set1_epi32(0x8000);
  const __m128i tagMask = _mm_set1_epi16(tags ? -1 : 0);
  const __m128i typographyMask = _mm_set1_epi16(typography ? -1 : 0);
  const __m128i tab = biased('\t'), space = biased(0x20), at = biased('@'), lessThan = biased('<');
  const __m128i dash = biased('-'), apostrophe = biased('\''), quote = biased('"'),
                lastPlain = biased(0xD7FF);
  for (; i + 8 <= n; i += 8) {
    __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i));
    __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(run + i + 4));
    __m128i units = _mm_packs_epi32(_mm_sub_epi32(low, bias), _mm_sub_epi32(high, bias));
    __m128i leaves = _mm_andnot_si128(_mm_cmpeq_epi16(units, tab), _mm_cmplt_epi16(units, space));
    leaves = _mm_or_si128(leaves, _mm_cmpeq_epi16(units, at));
    leaves = _mm_or_si128(leaves, _mm_cmpgt_epi16(units, lastPlain));
    leaves = _mm_or_si128(leaves, _mm_and_si128(_mm_cmpeq_epi16(units, lessThan), tagMask));
    __m128i marks =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, dash), _mm_cmpeq_epi16(units, apostrophe)),
                     _mm_cmpeq_epi16(units, quote));
    leaves = _mm_or_si128(leaves, _mm_and_si128(marks, typographyMask));
    if (_mm_movemask_epi8(leaves) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(units, _mm_set1_epi16(kBias)));
  }
#endif
  return i;
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
  for (;;) {
    // Plain characters go straight from the input buffer to the text buffer.
    int32_t available;
    const int32_t* run = input_.Run(available);
    if (available > 0) {
      int32_t n = std::min(available, kFlushUnits - textCount_);
      char16_t* out = textBuffer_.get() + textCount_;
      int32_t i = CopyPlainBlocks(run, n, out, interpretTags, convertTypography);
      for (; i < n; ++i) {
        int32_t c = run[i];
        if (c < 0x80 ? (kAsciiClass[c] & mask) != 0 : c >= 0xD800) break;
        out[i] = static_cast<char16_t>(c);
      }
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
