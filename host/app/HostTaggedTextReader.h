// HostTaggedTextReader: turns decoded host tagged text into styled text: paragraph returns with the
// paragraph attributes in force at each, character runs with their style and overrides. Styles the text
// names are found in the document, or made there (by command) when it has none of that name.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/db/IDataBase.h"
#include "host/text/AttributeBossList.h"
#include "host/text/ITextModel.h"

// What a reading met besides text.
struct HostTaggedTextReport {
  int32_t skippedTags = 0;     // unknown tags, misplaced headers, definitions and tags the host ignores
  int32_t rejectedValues = 0;  // attribute values and character codes that were malformed or out of range
  int32_t createdStyles = 0;   // styles the document did not have
};

class HostTaggedTextReader {
 public:
  // A style and the overrides on top of it.
  struct Attributes {
    UID style;
    AttributeBossList overrides;
    bool operator==(const Attributes&) const = default;
  };

  // Starts with the paragraph and character attributes of the insertion point.
  HostTaggedTextReader(IDataBase* db, Attributes paragraph, Attributes character);

  // Reads `text`; without `interpretTags` only a leading encoding header is a tag and the rest is text.
  // Answers kSuccess, or the error of a style that could not be made (reading stops there).
  ErrorCode Read(std::u16string_view text, bool interpretTags);

  StyledText& Text() { return styled_; }
  // The paragraph attributes in force at the end.
  const Attributes& Paragraph() const { return paragraph_; }
  // Text follows the last paragraph return (or there was no return): it joins the paragraph it lands in.
  bool EndsInsideParagraph() const { return !styled_.text.empty() && styled_.text.back() != u'\r'; }
  const HostTaggedTextReport& Report() const { return report_; }

 private:
  void ReadText();
  ErrorCode ReadTag();
  std::u16string_view ReadValue();
  ErrorCode Dispatch(int32_t code, std::u16string_view name, std::u16string_view value, bool hasValue);
  void SkipLineEnds();
  void ApplyAttributeTag(std::u16string_view name, std::u16string_view value, bool hasValue);
  ErrorCode ApplyStyleTag(bool paragraph, std::u16string_view value);
  void AppendCharacterCode(std::u16string_view name);
  void OnTable(int32_t code);
  void Append(char32_t c);
  void AppendUnit(char16_t unit);

  IDataBase* db_;
  Attributes paragraph_;
  Attributes character_;
  StyledText::Attributes runAttributes_;  // character_ as the runs hold it
  bool characterChanged_ = true;
  std::u16string_view text_;
  size_t at_ = 0;
  bool bodyStarted_ = false;
  bool interpretTags_ = true;
  bool first_ = true;  // nothing read yet: an encoding header may come
  int32_t cellsInRow_ = 0;
  StyledText styled_;
  HostTaggedTextReport report_;
};
