// TextCmdUtils: creating, filling and processing the text commands in one call. Each answers the result of
// CmdUtils::ProcessCommand: kSuccess, or the error the command set (which stays set as the global error
// code, for the caller to read and reset).
#pragma once

#include <vector>

#include "host/db/UIDRef.h"
#include "host/text/AttributeBossList.h"
#include "host/text/IStyleInfo.h"
#include "host/text/ITextModel.h"

namespace TextCmdUtils {

ErrorCode NewStory(IDataBase* db, UID& story);
ErrorCode DeleteStory(const UIDRef& story);
ErrorCode InsertText(const UIDRef& story, int32_t position, const WideString& text);
ErrorCode DeleteText(const UIDRef& story, int32_t start, int32_t end);
// Replaces [targetStart, targetEnd) of `target` with [start, end) of `source` (same document).
ErrorCode CopyText(const UIDRef& source, int32_t start, int32_t end, const UIDRef& target,
                   int32_t targetStart, int32_t targetEnd);
// Inserts `text` with its own paragraph records and character runs (which must cover it).
ErrorCode InsertStyledText(const UIDRef& story, int32_t position, StyledText text);
ErrorCode ApplyParagraphStyle(const UIDRef& story, int32_t start, int32_t end, UID style,
                              bool clearOverrides = false);
ErrorCode ApplyCharacterStyle(const UIDRef& story, int32_t start, int32_t end, UID style,
                              bool clearOverrides = false);
ErrorCode ApplyOverrides(const UIDRef& story, TextStrand strand, int32_t start, int32_t end,
                         const AttributeBossList& overrides);
// No classes: every override.
ErrorCode ClearOverrides(const UIDRef& story, TextStrand strand, int32_t start, int32_t end,
                         std::vector<ClassID> classes = {});

// The fields of a new style; basedOn 0 means the table's root style.
struct StyleFields {
  StyleKind kind = StyleKind::kParagraph;
  WideString name;
  UID basedOn;
  UID nextStyle;
  UID characterStyle;
  AttributeBossList attributes;
};
// Answers the new style in `style` (kInvalidUID on failure).
ErrorCode CreateStyle(IDataBase* db, const StyleFields& fields, UID& style);
// Replaces the attributes of a style.
ErrorCode SetStyleAttributes(const UIDRef& style, const AttributeBossList& attributes);

}  // namespace TextCmdUtils
