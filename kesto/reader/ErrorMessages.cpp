// The message lists: built-in texts, registration and lookup.
#include "kesto/reader/ErrorMessages.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/res/StringResources.h"
#include "kesto/include/KestoID.h"

namespace kesto {

namespace {

// Code n is entry n - 1. An empty entry is a code this system does not use.
constexpr std::u16string_view kScannerErrors[] = {
    u"Malformed tag",
    u"No such tag",
    u"No such font",
    u"Missing font",
    u"No such color",
    u"No such style",
    u"No such h&j",
    u"No such frame",
    u"Malformed number",
    u"Value out of range",
    u"Too many tabs",
    u"Unexpected end of input",
    u"Unexpected end of line",
    u"Text frame nesting confused",
    u"Not enough memory for translations",
    u"Translation file not found",
    u"Translation source string(s) too long",
    u"Translation target string(s) too long",
    u"No such master page",
    u"Malformed definition prefix",
    u"No such based-on style",
    u"Malformed tab alignment spec",
    u"Malformed tab leader spec",
    u"No such line style",
    u"Too many attribute stack pops",
    u"Not enough memory to push attribute stack",
    u"No such expression operator",
    u"<Internal error>",
    u"No such next style",
    u"No default value available (for $)",
    u"Nested macro invocation unsupported",
    u"No such macro",
    u"Macro body too long",
    u"Not enough memory for macro definition",
    u"Malformed macro argument reference",
    u"Macro expansion too long",
    u"Number too long",
    u"String too long",
    u"List element too long",
    u"Sub-list element too long",
    u"Style name too long",
    u"Macro name too long",
    u"Hidden text open/close mismatch",
    u"Not enough memory for layer set",
    u"Paragraph element in character style definition",
    u"Character value out of range",
    u"No such language",
    u"No such composer",
    u"No such kerning method",
    u"Not enough memory to initialize scanner",
    u"Style name ambiguous",
    u"Hyperlink open/close mismatch",
    u"Text after header tag dropped",
};

constexpr std::u16string_view kBuilderErrors[] = {
    u"Can't add style to document",
    u"Can't add style: no memory",
    u"Can't create box",
    u"Can't anchor box",
    u"Can't import picture",
    u"Can't find picture file",
    u"Can't apply master page/spread",
    u"Box is too large to fit on spread",
    u"Box placement failed",
    u"Not in main text flow",
    u"(placeholder)",
    u"Text boxes nested too deep",
    u"Can't anchor box inside anchored box",
    u"Unanchored boxes not supported",
    u"Can't set first baseline here",
    u"(placeholder)",
    u"Unmatched &te",
    u"Can't place box: text overflow",
    u"Relative box reference out of range",
    u"No such previous box",
    u"Can't group: box is already grouped",
    u"Can't group: boxes aren't on same spread",
    u"Can't fit: picture is empty",
    u"Can't fit: picture too large",
    u"Can't fit: text is empty",
    u"Can't fit: too much text",
    u"Can't fit: too complex",
    u"Can't fit: text box not visible",
    u"Can't fit: general problems",
    u"Table already started",
    u"Table not started",
    u"Table row not ended",
    u"Table row already started",
    u"Table row not started",
    u"Table columns exhausted",
    u"Table cell not started",
    u"Table cell already started",
    u"Table rows exhausted",
    u"Can't add table column",
    u"Can't add table row",
    u"No layer support present",
    u"Can't create layer",
    u"Can't set the box layer",
    u"Can't set the layer lock state",
    u"No layer set support present",
    u"Can't create layer set",
    u"No such layer",
    u"Can't anchor line",
    u"Tables unavailable",
    u"",
    u"Can't create text anchor",
    u"Can't create hyperlink",
    u"Can't thread text with an anchored box",
    u"Can't thread text with previous box",
};

// Engine code 10000 + i is entry i.
constexpr std::u16string_view kEngineMessages[] = {
    u"(Unknown error message: Kesto is confused.)",
    u"",
    u"",
    u"Kesto encountered 1 error during import (the text \u00ABKesto error: description\u00BB is left at the "
    u"point "
    u"of error).",
    u"Kesto encountered ^ errors during import (the text \u00ABKesto error: description\u00BB is left at "
    u"each "
    u"point of error).",
    u"Kesto can't find a translation table file named in a &tt/&tt2 tag (system error code: ^).",
    u"No automatic text flow on newly-applied master page: Kesto can't continue.",
    u"System or host error.",
    u"System or host error.",
    u"No source specified.",
    u"Source is neither string nor file.",
    u"Bad file specification given.",
    u"Can't create the file named by the given file spec.",
    u"Can't convert file spec to internal form.",
    u"No current document.",
    u"No current frame.",
    u"Current frame is not a text frame.",
    u"Current frame is not a text frame, a picture frame, nor a group frame.",
    u"No current document for batch processing.",
    u"No automatic text flow chain found in document template for batch processing.",
    u"",
    u"The import stopped where Kesto encountered an invalid byte sequence for a UTF-8-encoded Unicode "
    u"character.",
    u"Kesto found an improperly-encoded Unicode character in the imported text and replaced it with a "
    u"Unicode "
    u"replacement character.",
    u"Kesto found ^ improperly-encoded Unicode characters in the imported text and replaced each one with a "
    u"Unicode replacement character.",
};

constexpr std::u16string_view kReportFragments[] = {
    u"\u00ABKesto error: ", u"<Unknown error>", u"\u00BB", u": tag ", u" param #",
};

// Entry `index` of list `listID`: the registered list when there is one, else the built-in one.
WideString Lookup(int32_t listID, std::span<const std::u16string_view> builtIn, int64_t index) {
  WideString text;
  const StringResources& resources = StringResources::Get();
  if (index < 0 || index > INT32_MAX) return text;
  if (resources.HasStringList(kKestoPluginID, listID))
    resources.GetString(kKestoPluginID, listID, static_cast<int32_t>(index), text);
  else if (index < static_cast<int64_t>(builtIn.size()))
    text = builtIn[static_cast<size_t>(index)];
  return text;
}

ErrorCode Register(int32_t listID, std::span<const std::u16string_view> texts) {
  return StringResources::Get().RegisterStringList(kKestoPluginID, listID,
                                                   std::vector<WideString>(texts.begin(), texts.end()));
}

}  // namespace

ErrorCode RegisterKestoMessageLists() {
  ErrorCode code = Register(kScannerErrorListID, kScannerErrors);
  if (code == kSuccess) code = Register(kBuilderErrorListID, kBuilderErrors);
  if (code == kSuccess) code = Register(kEngineMessageListID, kEngineMessages);
  if (code == kSuccess) code = Register(kReportFragmentListID, kReportFragments);
  return code;
}

WideString ScannerErrorMessage(int32_t code) {
  return Lookup(kScannerErrorListID, kScannerErrors, static_cast<int64_t>(code) - 1);
}

WideString BuilderErrorMessage(int32_t code) {
  return Lookup(kBuilderErrorListID, kBuilderErrors, static_cast<int64_t>(code) - 1);
}

WideString EngineMessageText(int32_t engineCode) {
  return Lookup(kEngineMessageListID, kEngineMessages, static_cast<int64_t>(engineCode) - kFirstEngineCode);
}

WideString ReportFragmentText(ReportFragment fragment) {
  return Lookup(kReportFragmentListID, kReportFragments, static_cast<int64_t>(fragment));
}

}  // namespace kesto
