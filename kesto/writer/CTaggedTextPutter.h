// CTaggedTextPutter: the dialect-independent part of a tagged-text writer: a small UTF-16 output buffer
// delivered to an agent when full, the number and string formats every dialect shares, and the two passes
// of an export: first the styles the output uses are collected and defined, then the text is written.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "host/core/IDs.h"
#include "host/db/IDataBase.h"
#include "host/text/IStyleInfo.h"
#include "kesto/model/VyBaseStory.h"
#include "kesto/streams/StreamEncoding.h"
#include "kesto/writer/ITagPutterAgent.h"
#include "kesto/writer/PutterOptions.h"

namespace kesto {

class K2AttributeSetMgr;

class CTaggedTextPutter {
 public:
  static constexpr int32_t kMinBufferUnits = 256;
  static constexpr int32_t kMaxBufferUnits = 1024;
  // Error of a story without a text model.
  static constexpr int32_t kNoStrands = 1;

  // A buffer of `requestedUnits`, brought into 256..1024 (a negative request gives 256).
  explicit CTaggedTextPutter(int32_t requestedUnits);
  // Frees the buffer without delivering it.
  virtual ~CTaggedTextPutter();
  CTaggedTextPutter(const CTaggedTextPutter&) = delete;
  CTaggedTextPutter& operator=(const CTaggedTextPutter&) = delete;

  // Writes [start, end) of `story` (the whole story when start equals end) to `agent`, which is used only
  // during the call: the definitions of the styles used (unless fragment mode), then the text. Answers 0
  // or the first error: an agent's answer, or kNoStrands.
  virtual int32_t PutStory(const VyBaseStory& story, int32_t start, int32_t end, ITagPutterAgent* agent);

  // Dialect operations. `style` is a manager loaded from the style to define.
  virtual int32_t PutCharacterStyle(const K2AttributeSetMgr& style) { return error_; }
  virtual int32_t PutParagraphStyle(const K2AttributeSetMgr& style) { return error_; }
  virtual int32_t PutStoryRange(const VyBaseStory& story, int32_t start, int32_t end) { return error_; }

  uint32_t GetOptions() const { return options_; }
  void SetOptions(uint32_t options) { options_ = options; }
  bool HasOption(uint32_t bit) const { return (options_ & bit) != 0; }
  StreamEncoding GetEncoding() const { return encoding_; }
  void SetEncoding(StreamEncoding encoding) { encoding_ = encoding; }
  int32_t GetError() const { return error_; }
  int32_t GetBufferCapacity() const { return capacity_; }

  // ---- Output shared by the dialects.
  // One code point: a surrogate pair above U+FFFF (never split across deliveries); 0 and values above
  // U+10FFFF are ignored.
  void PutChar(char32_t c) {
    if (c - 1 < 0xFFFF && used_ < capacity_) {
      buffer_[used_++] = static_cast<char16_t>(c);
      return;
    }
    PutCharSlow(c);
  }
  // `count` units below U+D800 (no surrogates), as PutChar would write them one by one.
  void PutUnits(const char16_t* units, int32_t count) {
    while (count > 0) {
      if (used_ == capacity_) Flush(-1);
      int32_t n = std::min(count, capacity_ - used_);
      std::copy(units, units + n, buffer_.get() + used_);
      used_ += n;
      units += n;
      count -= n;
    }
  }
  // Delivers the buffer, then appends `pending` unless it is -1.
  void Flush(int32_t pending);
  // Plain 8-bit text, as it is.
  void PutAscii(std::string_view text);
  // With `quote` the text goes between double quotes; characters below U+0020 are dropped; with `escape`
  // the double quote and the backslash get a backslash, and (unquoted) so do ':', '=' and '>'.
  void PutText(std::u16string_view text, bool quote, bool escape);
  // A style name: the group separator becomes '|'; '"', '\' and a '|' of the name always get a backslash,
  // and unquoted ':', '=' and '>' too.
  void PutStyleName(std::u16string_view name, bool quote);
  void PutInteger(long long value);
  // Points with at most three decimals (NumberFormat.h).
  void PutNumber(double value);

 protected:
  bool IsCollecting() const { return collecting_; }
  ITagPutterAgent* GetAgent() const { return agent_; }
  // Records the first non-zero result; answers the error in force.
  int32_t Note(int32_t result) {
    if (error_ == 0) error_ = result;
    return error_;
  }
  // Collecting pass: a style is recorded once, after the styles it is based on and, for paragraph styles,
  // after its next style and with its character style among the character styles.
  void RecordCharacterStyle(IDataBase* db, UID style);
  void RecordParagraphStyle(IDataBase* db, UID style);
  const std::vector<UID>& CharacterStylesUsed() const { return characterStyles_; }
  const std::vector<UID>& ParagraphStylesUsed() const { return paragraphStyles_; }
  // The two passes around `walk`, which writes the content (called twice, first while collecting).
  template <class Walk>
  int32_t PutTwoPasses(IDataBase* db, ITagPutterAgent* agent, Walk walk);

 private:
  void PutCharSlow(char32_t c);
  void Record(IDataBase* db, UID style, StyleKind kind, std::vector<UID>& list);
  // Whether `style` or a style it is based on is being recorded.
  bool DependsOnRecording(IDataBase* db, UID style, StyleKind kind) const;
  void CollectAllStyles(IDataBase* db);
  void WriteDefinitions(IDataBase* db);

  ITagPutterAgent* agent_ = nullptr;
  uint32_t options_ = 0;
  StreamEncoding encoding_ = StreamEncoding::kWindowsLatin;
  int32_t error_ = 0;
  int32_t capacity_;
  int32_t used_ = 0;
  std::unique_ptr<char16_t[]> buffer_;
  bool collecting_ = false;
  std::vector<UID> characterStyles_;
  std::vector<UID> paragraphStyles_;
  std::vector<UID> recording_;  // styles whose recording is under way, against cycles of next styles
  UID characterRoot_, paragraphRoot_;
};

template <class Walk>
int32_t CTaggedTextPutter::PutTwoPasses(IDataBase* db, ITagPutterAgent* agent, Walk walk) {
  agent_ = agent;
  if (!HasOption(kPutFragment) || HasOption(kPutStylesOnly)) {
    characterStyles_.clear();
    paragraphStyles_.clear();
    if (HasOption(kPutAllStyles)) CollectAllStyles(db);
    collecting_ = true;
    (void)walk();
    collecting_ = false;
    WriteDefinitions(db);
  }
  if (!HasOption(kPutStylesOnly) && error_ == 0) (void)walk();
  Flush(-1);
  agent_ = nullptr;
  return error_;
}

}  // namespace kesto
