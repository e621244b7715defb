// Expanding a macro body with the arguments of an invocation.
#include "kesto/reader/MacroExpansion.h"

#include <algorithm>
#include <cstdint>

#include "kesto/reader/ScannerErrors.h"

namespace kesto {
namespace {

// Numbers in references saturate here: no argument and no position is that large.
constexpr int64_t kLargest = 1'000'000'000;

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t';
}
bool IsDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

void SkipBlanks(std::u32string_view text, size_t& at) {
  while (at < text.size() && IsBlank(text[at]))
    ++at;
}

// Digits at `at`, with a leading "-" when `signedNumber`; false when there are none.
bool ReadNumber(std::u32string_view text, size_t& at, bool signedNumber, int32_t& value) {
  bool negative = signedNumber && at < text.size() && text[at] == U'-';
  size_t digits = at + (negative ? 1 : 0);
  if (digits >= text.size() || !IsDigit(text[digits])) return false;
  int64_t n = 0;
  for (at = digits; at < text.size() && IsDigit(text[at]); ++at)
    n = std::min(kLargest, n * 10 + (text[at] - U'0'));
  value = static_cast<int32_t>(negative ? -n : n);
  return true;
}

// A position as written (1-based, or from the end when 0 or below) as a 1-based position in `length`.
int64_t Position(int32_t written, int64_t length) {
  return written >= 1 ? written : length + written;
}

}  // namespace

int32_t MacroExpansion::Begin(std::u32string_view body) {
  body_.assign(body);
  pieces_.clear();
  byArgument_.clear();
  length_ = static_cast<int32_t>(body.size());
  for (size_t i = 0; i < body.size();) {
    if (body[i] != U'!') {
      if (pieces_.empty() || pieces_.back().kind != Kind::kLiteral)
        pieces_.push_back({.kind = Kind::kLiteral, .start = static_cast<int32_t>(i)});
      ++pieces_.back().count;
      ++i;
      continue;
    }
    Piece piece{.kind = Kind::kEscape, .count = 1};
    if (i + 1 < body.size()) {
      char32_t next = body[i + 1];
      if (IsDigit(next)) {
        piece = {.kind = Kind::kWhole, .count = 2, .n = static_cast<int32_t>(next - U'0')};
      } else if (next == U'(') {
        if (!ReadParenthesised(body, i, piece)) {
          pieces_.clear();
          byArgument_.clear();
          length_ = 0;
          return kScanMalformedMacroArgument;
        }
      } else {
        piece = {.kind = Kind::kEscape, .count = 2, .escaped = static_cast<int32_t>(next)};
      }
    }
    if (piece.kind != Kind::kEscape) byArgument_.emplace_back(piece.n, static_cast<int32_t>(pieces_.size()));
    i += static_cast<size_t>(piece.count);
    pieces_.push_back(std::move(piece));
  }
  std::sort(byArgument_.begin(), byArgument_.end());
  return 0;
}

std::span<const std::pair<int32_t, int32_t>> MacroExpansion::References(int32_t n) const {
  auto first =
      std::lower_bound(byArgument_.begin(), byArgument_.end(), std::pair<int32_t, int32_t>(n, INT32_MIN));
  auto last = std::upper_bound(first, byArgument_.end(), std::pair<int32_t, int32_t>(n, INT32_MAX));
  return {first, last};
}

bool MacroExpansion::ReadParenthesised(std::u32string_view body, size_t at, Piece& piece) const {
  size_t i = at + 2;
  SkipBlanks(body, i);
  if (!ReadNumber(body, i, false, piece.n)) return false;
  SkipBlanks(body, i);
  piece.kind = Kind::kWhole;
  if (i < body.size() && body[i] != U')') {
    if (!ReadNumber(body, i, true, piece.from)) return false;
    SkipBlanks(body, i);
    piece.kind = Kind::kSingle;
    if (i < body.size() && body[i] == U':') {
      ++i;
      SkipBlanks(body, i);
      piece.kind = Kind::kToEnd;
      if (i < body.size() && body[i] != U')') {
        if (!ReadNumber(body, i, true, piece.to)) return false;
        SkipBlanks(body, i);
        piece.kind = Kind::kRange;
      }
    }
  }
  if (i >= body.size() || body[i] != U')') return false;
  piece.count = static_cast<int32_t>(i + 1 - at);
  return true;
}

std::u32string_view MacroExpansion::Select(const Piece& piece, std::u32string_view text) {
  auto length = static_cast<int64_t>(text.size());
  int64_t from = 1, to = length;
  switch (piece.kind) {
    case Kind::kSingle:
      from = to = Position(piece.from, length);
      if (from < 1) return {};
      break;
    case Kind::kRange:
      to = Position(piece.to, length);
      [[fallthrough]];
    case Kind::kToEnd:
      from = Position(piece.from, length);
      break;
    default:
      break;
  }
  from = std::max<int64_t>(from, 1);
  to = std::min(to, length);
  if (from > to) return {};
  return text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from + 1));
}

int32_t MacroExpansion::SetArgument(int32_t n, std::u32string_view text) {
  auto references = References(n);
  if (references.empty()) return 0;
  // The length is checked before anything is copied, so a long argument named many times costs nothing.
  int64_t length = length_;
  for (const auto& reference : references) {
    const Piece& piece = pieces_[static_cast<size_t>(reference.second)];
    if (!piece.filled) length += static_cast<int64_t>(Select(piece, text).size()) - piece.count;
  }
  if (length > kMaxLength) return kScanMacroExpansionTooLong;
  for (const auto& reference : references) {
    Piece& piece = pieces_[static_cast<size_t>(reference.second)];
    if (piece.filled) continue;
    piece.value.assign(Select(piece, text));
    piece.filled = true;
  }
  length_ = static_cast<int32_t>(length);
  return 0;
}

std::u32string MacroExpansion::Finish() const {
  std::u32string out;
  out.reserve(static_cast<size_t>(length_));
  for (const Piece& piece : pieces_) {
    if (piece.kind == Kind::kLiteral)
      out.append(body_, static_cast<size_t>(piece.start), static_cast<size_t>(piece.count));
    else if (piece.kind == Kind::kEscape && piece.escaped >= 0)
      out.push_back(static_cast<char32_t>(piece.escaped));
    else if (piece.filled)
      out += piece.value;
  }
  return out;
}

}  // namespace kesto
