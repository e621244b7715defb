// Reading host tagged text into styled text.
#include "host/app/HostTaggedTextReader.h"

#include "host/app/HostTaggedTextKeywords.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextAttribute.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"

namespace {

bool IsNameUnit(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-';
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c < 0xE000;
}

// The value with each backslash dropped and the unit after it kept.
WideString Unescape(std::u16string_view raw) {
  WideString value;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == u'\\' && i + 1 < raw.size()) ++i;
    value += raw[i];
  }
  return value;
}

// A style's full name: "\:" is a colon of the name (and so is "\\\:", as writers spell it), an unescaped
// colon after the first unit separates group and name.
WideString StyleName(std::u16string_view raw) {
  WideString name;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw.substr(i, 4) == u"\\\\\\:") {
      name += u':';
      i += 3;
    } else if (raw[i] == u'\\' && i + 1 < raw.size()) {
      name += raw[++i];
    } else {
      name += raw[i] == u':' && i > 0 ? kStyleGroupSeparator : raw[i];
    }
  }
  return name;
}

bool IsEncodingHeader(int32_t code) {
  return code >= HostTagCode::kAsciiHeader && code <= HostTagCode::kSjisHeader;
}

std::string Ascii(std::u16string_view name) {
  return std::string(name.begin(), name.end());
}

}  // namespace

HostTaggedTextReader::HostTaggedTextReader(IDataBase* db, Attributes paragraph, Attributes character)
    : db_(db), paragraph_(std::move(paragraph)), character_(std::move(character)) {}

ErrorCode HostTaggedTextReader::Read(std::u16string_view text, bool interpretTags) {
  text_ = text;
  at_ = 0;
  interpretTags_ = interpretTags;
  first_ = true;
  while (at_ < text_.size()) {
    if (text_[at_] == u'<' && (interpretTags_ || at_ == 0)) {
      if (ErrorCode error = ReadTag(); error != kSuccess) return error;
    } else {
      ReadText();
    }
    first_ = false;
  }
  return kSuccess;
}

// Text up to the next tag.
void HostTaggedTextReader::ReadText() {
  while (at_ < text_.size()) {
    char16_t c = text_[at_];
    if (c == u'<' && interpretTags_) return;
    ++at_;
    if (c == u'\\' && interpretTags_ && at_ < text_.size()) {
      AppendUnit(text_[at_++]);
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && at_ < text_.size() && text_[at_] == u'\n') ++at_;
      Append(u'\r');
    } else if (IsHighSurrogate(c) && at_ < text_.size() && IsLowSurrogate(text_[at_])) {
      Append(0x10000 + ((char32_t(c) - 0xD800) << 10) + (text_[at_++] - 0xDC00));
    } else {
      Append(c);
    }
  }
}

ErrorCode HostTaggedTextReader::ReadTag() {
  size_t start = at_++;
  while (at_ < text_.size() && IsNameUnit(text_[at_]) && at_ - start <= HostTaggedTextKeywords::kMaxTagName)
    ++at_;
  std::u16string_view name = text_.substr(start + 1, at_ - start - 1);
  bool closed = at_ < text_.size() && (text_[at_] == u'>' || text_[at_] == u':');
  if (!closed || name.size() > HostTaggedTextKeywords::kMaxTagName) {
    // No tag: the "<" is text.
    at_ = start + 1;
    Append(u'<');
    return kSuccess;
  }
  bool hasValue = text_[at_++] == u':';
  std::u16string_view value = hasValue ? ReadValue() : std::u16string_view();
  int32_t code = HostTaggedTextKeywords::Find(name);
  if (!interpretTags_ && !IsEncodingHeader(code)) {
    at_ = start + 1;
    Append(u'<');
    return kSuccess;
  }
  return Dispatch(code, name, value, hasValue);
}

// The raw value (escapes kept) up to the ">" that closes the tag; "<" ... ">" inside it nest.
std::u16string_view HostTaggedTextReader::ReadValue() {
  size_t start = at_;
  int32_t depth = 0;
  for (; at_ < text_.size(); ++at_) {
    char16_t c = text_[at_];
    if (c == u'\\') {
      ++at_;
    } else if (c == u'<') {
      ++depth;
    } else if (c == u'>' && depth-- == 0) {
      return text_.substr(start, at_++ - start);
    }
  }
  at_ = text_.size();
  return text_.substr(start);
}

ErrorCode HostTaggedTextReader::Dispatch(int32_t code, std::u16string_view name, std::u16string_view value,
                                         bool hasValue) {
  using namespace HostTagCode;
  if (IsEncodingHeader(code)) {
    // Only a first, empty tag is the header; it and the line end after it are no text.
    if (!first_ || hasValue) {
      ++report_.skippedTags;
      return kSuccess;
    }
    SkipLineEnds();
    return kSuccess;
  }
  if (code >= kVersion && code <= kLastHeaderDefinition) {
    ++report_.skippedTags;
    if (!bodyStarted_) SkipLineEnds();
    return kSuccess;
  }
  bodyStarted_ = true;
  if (code == kParaStyle || code == kCharStyle) return ApplyStyleTag(code == kParaStyle, value);
  if (code >= kTableStart && code <= kCellEnd) {
    OnTable(code);
  } else if (code == kUnknown && AttributeClasses::FindByTagName(Ascii(name))) {
    ApplyAttributeTag(name, value, hasValue);
  } else if (code == kUnknown && !hasValue && name.starts_with(u"0x")) {
    AppendCharacterCode(name.substr(2));
  } else {
    ++report_.skippedTags;
  }
  return kSuccess;
}

void HostTaggedTextReader::SkipLineEnds() {
  while (at_ < text_.size() && (text_[at_] == u'\r' || text_[at_] == u'\n'))
    ++at_;
}

void HostTaggedTextReader::ApplyAttributeTag(std::u16string_view name, std::u16string_view value,
                                             bool hasValue) {
  const AttributeClassInfo* info = AttributeClasses::FindByTagName(Ascii(name));
  bool paragraph = info->scope == AttributeScope::kParagraph;
  AttributeBossList& overrides = paragraph ? paragraph_.overrides : character_.overrides;
  characterChanged_ |= !paragraph;
  if (!hasValue || value.empty()) {
    overrides.ClearOverride(info->cls);
    return;
  }
  InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(info->cls);
  if (!attribute || attribute->ParseTagValue(db_, Unescape(value)) != kTagValueParsed ||
      overrides.ApplyValue(info->cls, attribute->GetValue()) != kSuccess)
    ++report_.rejectedValues;
}

ErrorCode HostTaggedTextReader::ApplyStyleTag(bool paragraph, std::u16string_view value) {
  StyleKind kind = paragraph ? StyleKind::kParagraph : StyleKind::kCharacter;
  WideString name = StyleName(value);
  UID style = StyleUtils::GetRootStyle(db_, kind);
  if (!name.empty()) {
    StyleLookup lookup = StyleUtils::FindStyle(db_, kind, name);
    style = lookup.style;
    if (!style.IsValid() && !StyleNames::IsValid(name)) {
      ++report_.rejectedValues;
      return kSuccess;
    }
    if (!style.IsValid()) {
      TextCmdUtils::StyleFields fields;
      fields.kind = kind;
      fields.name = name;
      if (ErrorCode error = TextCmdUtils::CreateStyle(db_, fields, style); error != kSuccess) return error;
      ++report_.createdStyles;
    }
  }
  (paragraph ? paragraph_ : character_).style = style;
  characterChanged_ |= !paragraph;
  return kSuccess;
}

// "0x" and up to eight hexadecimal digits; a scalar value that is text is appended.
void HostTaggedTextReader::AppendCharacterCode(std::u16string_view digits) {
  char32_t cp = 0;
  bool valid = !digits.empty() && digits.size() <= 8;
  for (char16_t c : digits) {
    int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                : c >= u'A' && c <= u'F' ? c - u'A' + 10
                : c >= u'a' && c <= u'f' ? c - u'a' + 10
                                         : -1;
    valid &= digit >= 0;
    cp = cp * 16 + static_cast<char32_t>(digit < 0 ? 0 : digit);
  }
  bool scalar = valid && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
  if (!scalar) {
    ++report_.rejectedValues;
    return;
  }
  Append(cp);
}

// Cells of a row are separated by tabs and a row ends its paragraph: the host keeps no tables in stories.
void HostTaggedTextReader::OnTable(int32_t code) {
  if (code == HostTagCode::kRowStart) cellsInRow_ = 0;
  if (code == HostTagCode::kCellStart && cellsInRow_++ > 0) Append(u'\t');
  if (code == HostTagCode::kRowEnd) Append(u'\r');
}

void HostTaggedTextReader::Append(char32_t c) {
  if ((c < 0x20 && !HostTaggedTextKeywords::IsSpecialTextCharacter(c)) ||
      HostTaggedTextKeywords::IsNonCharacter(c))
    return;
  bodyStarted_ = true;
  if (c < 0x10000) {
    AppendUnit(static_cast<char16_t>(c));
    return;
  }
  AppendUnit(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
  AppendUnit(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
}

void HostTaggedTextReader::AppendUnit(char16_t unit) {
  bodyStarted_ = true;
  if (characterChanged_) {
    runAttributes_ = {character_.style, MakeAttrListRef(character_.overrides)};
    characterChanged_ = false;
  }
  auto& runs = styled_.runs;
  bool same = !runs.empty() && runs.back().attributes.style == runAttributes_.style &&
              SameAttributes(runs.back().attributes.overrides, runAttributes_.overrides);
  if (same)
    ++runs.back().length;
  else
    runs.push_back({1, runAttributes_});
  styled_.text += unit;
  if (unit == u'\r') styled_.paragraphs.Append({paragraph_.style, MakeAttrListRef(paragraph_.overrides)});
}
