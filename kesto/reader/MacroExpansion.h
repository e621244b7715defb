// MacroExpansion: the text a macro invocation makes of its body: references to the invocation's arguments
// replaced by them (or by characters of them), escapes replaced by the character they protect.
//
// In a body, "!d" (one digit) and "!(n)" stand for argument n, "!(n s)" for its character at s and
// "!(n s:e)" or "!(n s:)" for its characters s to e or to its end; positions count from 1, and from the end
// when 0 or below (0 is the last character). "!" before any other character yields that character.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto {

class MacroExpansion {
 public:
  static constexpr int32_t kMaxLength = 8192;

  // Starts an expansion of `body` with no argument given. Answers 0, or 35 (a malformed "!(…)"); after a
  // failure the expansion is empty.
  [[nodiscard]] int32_t Begin(std::u32string_view body);
  // Argument `n` (1-based) replaces the references to it. Answers 0, or 36 when the expansion would then be
  // longer than kMaxLength (it is then left as it was).
  [[nodiscard]] int32_t SetArgument(int32_t n, std::u32string_view text);
  // Whether some reference names argument `n`: the others need not be looked at.
  bool Uses(int32_t n) const { return !References(n).empty(); }
  // The text, with references to arguments not given left out.
  std::u32string Finish() const;
  // Length of the text if it were finished now, with references still open counted as written.
  int32_t GetLength() const { return length_; }

 private:
  enum class Kind : uint8_t { kLiteral, kWhole, kSingle, kRange, kToEnd, kEscape };
  struct Piece {
    Kind kind = Kind::kLiteral;
    int32_t start = 0;  // in the body: literals
    int32_t count = 0;  // characters written in the body
    int32_t n = 0;      // argument number
    int32_t from = 0;   // positions as written
    int32_t to = 0;
    int32_t escaped = -1;  // the character an escape yields (-1: none, at the end of the body)
    bool filled = false;
    std::u32string value = {};  // the replacement once the argument came
  };

  // Reads "(n …)" at `at` (just after "!"); answers the piece or false.
  bool ReadParenthesised(std::u32string_view body, size_t at, Piece& piece) const;
  // The characters of `text` a reference takes.
  static std::u32string_view Select(const Piece& piece, std::u32string_view text);

  // The entries of byArgument_ for argument `n`.
  std::span<const std::pair<int32_t, int32_t>> References(int32_t n) const;

  std::u32string body_;
  std::vector<Piece> pieces_;
  // (argument, piece index) of each reference, in order: an invocation makes no table of its own, and an
  // expansion kept from one invocation to the next reuses its room.
  std::vector<std::pair<int32_t, int32_t>> byArgument_;
  int32_t length_ = 0;
};

}  // namespace kesto
