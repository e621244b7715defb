// TagParameterReader: the four ways a tag reads its parameter after its letters: a string (a one-character
// value or a quoted text), raw text up to a stop character, a number, or a parenthesised list whose
// elements go one by one to the tag's list handler. The text read is kept until the next parameter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto {

class KestoScanner;

// Receives the pieces of a list parameter: element kBegin first and kEnd last (also after an error),
// kSingle for a value written without parentheses, else the element index 0, 1, 2 … with item kNoItem, or
// item 0, 1, 2 … of a sub-list of that element. The piece's text is the reader's current text.
class ListHandler {
 public:
  static constexpr int32_t kBegin = -4;
  static constexpr int32_t kEnd = -3;
  static constexpr int32_t kSingle = -1;
  static constexpr int32_t kNoItem = -1;

  virtual ~ListHandler() = default;
  virtual void Element(int32_t element, int32_t item) = 0;
};

// How a list is written. In raw mode (the marker list) blanks and control characters other than a
// paragraph return are kept, ">" does not end the list, and element `rawElement` is read without quote
// processing.
struct ListSyntax {
  int32_t open = '(';
  int32_t close = ')';
  int32_t separator = ',';
  bool raw = false;
  int32_t rawElement = -1;
};

class TagParameterReader {
 public:
  // Longest parameter text kept; longer texts are read to their end and refused (errors 37–40).
  static constexpr int32_t kMaxTextUnits = 32767;
  static constexpr int32_t kMaxNumberUnits = 255;
  // The result for "$" where a default may stand.
  static constexpr int32_t kDefault = -1;

  explicit TagParameterReader(KestoScanner& scanner) : scanner_(scanner) {}
  TagParameterReader(const TagParameterReader&) = delete;
  TagParameterReader& operator=(const TagParameterReader&) = delete;

  // The readers below answer their result without setting the scanner's error; the tag decides.

  // A quoted text or a one-character value. Answers 0, kDefault for "$", 12 at the end of the input, 13
  // at a paragraph return (left to be read as text), 38 for a text too long to keep. A ">" gives an empty
  // parameter and ends the tag group.
  int32_t ReadString();
  // Text up to one of `stops`; answers the stop character found (consumed), or -1 at the end of the input.
  // Escaped characters never stop the reading; control characters are dropped.
  int32_t ReadRaw(std::u32string_view stops);
  // A number: "$", a parenthesised measurement, or a run of digits, "." and a leading "-". Answers 0,
  // kNumberDefault, 12, 13, 37 (too long) or a conversion error; only 0 changes `target`, which holds the
  // value in force for relative forms.
  int32_t ReadNumber(double& target, uint32_t flags, double minimum, double maximum);
  // An integer: a plain number, keeping only the relative and "$" flags (so always clamped).
  int32_t ReadInteger(int32_t& target, uint32_t flags, int32_t minimum, int32_t maximum);
  // A list, or a single value without parentheses. Reader errors (1, 12, 13, 37, 39, 40) are set on the
  // scanner and end the list; `ParamIndex` follows the elements while no error is set. Answers whether no
  // error is set afterwards.
  bool ReadList(ListHandler& handler, const ListSyntax& syntax = {});

  // The current text converted as ReadNumber and ReadInteger would (an integer here keeps the checked flag).
  int32_t ConvertNumber(double& target, uint32_t flags, double minimum, double maximum) const;
  int32_t ConvertInteger(int32_t& target, uint32_t flags, int32_t minimum, int32_t maximum) const;

  // Whether the current text is exactly `letter`, with case folded when asked.
  bool IsSingleLetter(char16_t letter, bool ignoreCase) const;

  const std::u16string& GetText() const { return text_; }
  // The text with every unescaped "|" replaced by U+E00B, for style-name lookups.
  const std::u16string& GetMarkedText() const { return marked_; }
  bool IsQuoted() const { return quoted_; }
  void Clear();

 private:
  enum class PieceEnd { kSeparator, kClose, kOpen, kError };

  int32_t NextChar();
  void PushBack();
  int32_t SkipBlanks();
  // Reads a quoted text after its opening quote, appending to the texts. Answers 0, 12 or 13.
  int32_t ReadQuotedBody(int32_t limit, bool& tooLong);
  // Appends `c`; `marking` puts U+E00B for "|" into the marked text.
  void Append(int32_t c, bool marking, int32_t limit, bool& tooLong);
  // One list element or sub-list item, appended to the texts.
  PieceEnd ReadPiece(const ListSyntax& syntax, bool subList, bool rawElement, bool allowQuote, bool& tooLong);
  bool ReadSubList(ListHandler& handler, const ListSyntax& syntax, int32_t element);
  void ReadSingleValue(ListHandler& handler, int32_t first);
  void EndTagGroup();

  KestoScanner& scanner_;
  std::u16string text_;
  std::u16string marked_;
  bool quoted_ = false;
  // The element's own text while one of its sub-lists is read.
  std::u16string savedText_;
  std::u16string savedMarked_;
};

}  // namespace kesto
