// The writer's buffer, shared formats and the two passes.
#include "kesto/writer/CTaggedTextPutter.h"

#include <algorithm>

#include "host/text/AttributeResolver.h"
#include "host/text/StyleNames.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/K2AttributeSetMgr.h"
#include "kesto/writer/NumberFormat.h"

namespace kesto {

CTaggedTextPutter::CTaggedTextPutter(int32_t requestedUnits)
    : capacity_(std::clamp(requestedUnits, kMinBufferUnits, kMaxBufferUnits)),
      buffer_(std::make_unique<char16_t[]>(static_cast<size_t>(capacity_))) {}

CTaggedTextPutter::~CTaggedTextPutter() = default;

int32_t CTaggedTextPutter::PutStory(const VyBaseStory& story, int32_t start, int32_t end,
                                    ITagPutterAgent* agent) {
  if (start == end) {
    start = 0;
    end = story.GetHostLength();
  }
  return PutTwoPasses(story.GetDocument(), agent, [&] { return PutStoryRange(story, start, end); });
}

void CTaggedTextPutter::PutCharSlow(char32_t c) {
  if (c == 0 || c > 0x10FFFF) return;
  int32_t needed = c > 0xFFFF ? 2 : 1;
  if (capacity_ - used_ < needed) Flush(-1);
  if (error_ != 0 && agent_ != nullptr) return;
  if (needed == 1) {
    buffer_[used_++] = static_cast<char16_t>(c);
    return;
  }
  buffer_[used_++] = static_cast<char16_t>(0xD7C0 + (c >> 10));
  buffer_[used_++] = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
}

void CTaggedTextPutter::Flush(int32_t pending) {
  if (error_ == 0 && agent_ != nullptr && used_ > 0) error_ = agent_->Write(buffer_.get(), used_);
  used_ = 0;
  if (error_ == 0 && pending != -1) PutChar(static_cast<char32_t>(pending));
}

void CTaggedTextPutter::PutAscii(std::string_view text) {
  for (char c : text)
    PutChar(static_cast<unsigned char>(c));
}

void CTaggedTextPutter::PutText(std::u16string_view text, bool quote, bool escape) {
  if (quote) PutChar(u'"');
  for (char16_t c : text) {
    if (c < 0x20) continue;
    bool special = c == u'"' || c == u'\\' || (!quote && (c == u':' || c == u'=' || c == u'>'));
    if (escape && special) PutChar(u'\\');
    PutChar(c);
  }
  if (quote) PutChar(u'"');
}

void CTaggedTextPutter::PutStyleName(std::u16string_view name, bool quote) {
  if (quote) PutChar(u'"');
  for (char16_t c : name) {
    if (c < 0x20) continue;
    // A bare bar separates groups; a bar of the name itself is escaped.
    if (c == kStyleGroupSeparator) {
      PutChar(u'|');
      continue;
    }
    bool special = c == u'"' || c == u'\\' || c == u'|' || (!quote && (c == u':' || c == u'=' || c == u'>'));
    if (special) PutChar(u'\\');
    PutChar(c);
  }
  if (quote) PutChar(u'"');
}

void CTaggedTextPutter::PutInteger(long long value) {
  char16_t text[kNumberTextUnits + 8];
  size_t n = FormatInteger(value, text);
  for (size_t i = 0; i < n; ++i)
    PutChar(text[i]);
}

void CTaggedTextPutter::PutNumber(double value) {
  char16_t text[kNumberTextUnits];
  size_t n = FormatNumber(value, text);
  for (size_t i = 0; i < n; ++i)
    PutChar(text[i]);
}

void CTaggedTextPutter::Record(IDataBase* db, UID style, StyleKind kind, std::vector<UID>& list) {
  // Most runs and paragraphs repeat the style recorded last, or have none.
  if (!style.IsValid() || (!list.empty() && list.back() == style)) return;
  UID& root = kind == StyleKind::kCharacter ? characterRoot_ : paragraphRoot_;
  if (!root.IsValid()) root = StyleUtils::GetRootStyle(db, kind);
  if (style == root) return;
  if (std::find(list.rbegin(), list.rend(), style) != list.rend()) return;
  if (std::find(recording_.begin(), recording_.end(), style) != recording_.end()) return;
  InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style, kind);
  if (!info) return;
  recording_.push_back(style);
  Record(db, info->GetBasedOn(), kind, list);
  UID next = kind == StyleKind::kParagraph ? info->GetNextStyle() : UID();
  // A definition names its next style and its character style, which must exist when it is read; but a
  // style always comes after the one it is based on, so a next style based on this one comes after it.
  bool nextFirst = next.IsValid() && !DependsOnRecording(db, next, kind);
  if (nextFirst) Record(db, next, kind, list);
  if (kind == StyleKind::kParagraph)
    Record(db, info->GetCharacterStyle(), StyleKind::kCharacter, characterStyles_);
  recording_.pop_back();
  if (std::find(list.rbegin(), list.rend(), style) == list.rend()) list.push_back(style);
  if (next.IsValid() && !nextFirst) Record(db, next, kind, list);
}

bool CTaggedTextPutter::DependsOnRecording(IDataBase* db, UID style, StyleKind kind) const {
  for (int depth = 0; style.IsValid() && depth < AttributeResolver::kMaxStyleDepth; ++depth) {
    if (std::find(recording_.begin(), recording_.end(), style) != recording_.end()) return true;
    InterfacePtr<IStyleInfo> info = StyleUtils::QueryStyle(db, style, kind);
    if (!info) return false;
    style = info->GetBasedOn();
  }
  return false;
}

void CTaggedTextPutter::RecordCharacterStyle(IDataBase* db, UID style) {
  Record(db, style, StyleKind::kCharacter, characterStyles_);
}

void CTaggedTextPutter::RecordParagraphStyle(IDataBase* db, UID style) {
  Record(db, style, StyleKind::kParagraph, paragraphStyles_);
}

void CTaggedTextPutter::CollectAllStyles(IDataBase* db) {
  for (StyleKind kind : {StyleKind::kCharacter, StyleKind::kParagraph}) {
    InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(db, kind);
    if (!table) continue;
    for (int32_t i = 1; i < table->CountStyles(); ++i) {
      if (kind == StyleKind::kCharacter)
        RecordCharacterStyle(db, table->GetNthStyle(i));
      else
        RecordParagraphStyle(db, table->GetNthStyle(i));
    }
  }
}

void CTaggedTextPutter::WriteDefinitions(IDataBase* db) {
  K2AttributeSetMgr characterStyle(db, StyleKind::kCharacter);
  for (UID style : characterStyles_) {
    if (error_ != 0) return;
    characterStyle.LoadFrom(style, AttributeBossList());
    Note(PutCharacterStyle(characterStyle));
  }
  K2AttributeSetMgr paragraphStyle(db, StyleKind::kParagraph);
  for (UID style : paragraphStyles_) {
    if (error_ != 0) return;
    paragraphStyle.LoadFrom(style, AttributeBossList());
    Note(PutParagraphStyle(paragraphStyle));
  }
}

}  // namespace kesto
