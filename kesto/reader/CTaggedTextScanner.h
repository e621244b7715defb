// CTaggedTextScanner: what every tagged-text scanner shares: the agent of the running scan, the options,
// the error field and the buffer of text waiting to be handed to the agent.
#pragma once

#include <cstdint>
#include <memory>

#include "kesto/model/VyTextAttributeMgr.h"
#include "kesto/reader/ITagScannerAgent.h"

namespace kesto {

class VyTextStream;

class CTaggedTextScanner {
 public:
  // Option bits.
  static constexpr uint32_t kInterpretTags = 0x1;
  static constexpr uint32_t kConvertQuotes = 0x2;
  static constexpr uint32_t kKeepControlCharacters = 0x4;

  // Text reaches the agent in blocks of at most kFlushUnits units; the buffer has room for one more unit, so
  // that a surrogate pair never has to be split.
  static constexpr int32_t kTextBufferUnits = 1024;
  static constexpr int32_t kFlushUnits = 1023;

  CTaggedTextScanner();
  CTaggedTextScanner(const CTaggedTextScanner&) = delete;
  CTaggedTextScanner& operator=(const CTaggedTextScanner&) = delete;
  virtual ~CTaggedTextScanner();

  // Reads `source` to its end, handing everything to `agent`. Both are borrowed for the call. Answers 0, or
  // the nonzero answer of an agent operation that ended the scan.
  virtual int32_t Scan(VyTextStream* source, ITagScannerAgent* agent) = 0;
  // Clears the state of the last scan. Answers 50 (not enough memory) when the text buffer is missing.
  virtual int32_t Reset();

  uint32_t GetOptions() const { return options_; }
  // The import driver replaces the whole word before Scan.
  void SetOptions(uint32_t options) { options_ = options; }
  bool HasOption(uint32_t bit) const { return (options_ & bit) != 0; }

  int32_t GetError() const { return error_; }
  // Overwrites any error already set.
  void SetError(int32_t code) { error_ = code; }
  // Keeps the first error of the token.
  void SetErrorIfNone(int32_t code) {
    if (error_ == 0) error_ = code;
  }

  // Byte position of the source already consumed, for progress.
  int64_t GetPosition() const { return position_; }

  // Units waiting for the agent.
  const char16_t* GetText() const { return textBuffer_.get(); }
  int32_t GetTextCount() const { return textCount_; }
  // The last character pushed; 0 after a token that starts new content.
  int32_t GetLastCharacter() const { return lastChar_; }

  // Appends one character (two units above U+FFFF) to the text waiting for the agent. Nothing is appended
  // when the buffer is full; scanners hand the buffer over long before that.
  void PushText(int32_t c);

  // The current attributes: P (paragraph side) and C (character side). Attribute tags write into them, and
  // the agent reads them as text arrives; an import agent binds them to the story's strands at begin-import,
  // so that what the tags set is what the story commits with each block of text.
  VyTextAttributeMgr& GetTextAttributes() { return textAttributes_; }
  const VyTextAttributeMgr& GetTextAttributes() const { return textAttributes_; }
  VyParagraphAttributeMgr& P() { return textAttributes_.Paragraph(); }
  VyCharacterAttributeMgr& C() { return textAttributes_.Character(); }
  // The document names (fonts, colours, styles, languages) are resolved against; not owned, may be null.
  virtual void SetDocument(IDataBase* document) { textAttributes_.SetDocument(document); }
  IDataBase* GetDocument() const { return textAttributes_.GetDocument(); }

 protected:
  VyTextAttributeMgr* TextAttributes() { return &textAttributes_; }

  ITagScannerAgent* agent_ = nullptr;
  uint32_t options_ = kInterpretTags;
  int32_t error_ = 0;
  int64_t position_ = 0;
  std::unique_ptr<char16_t[]> textBuffer_;
  int32_t textCount_ = 0;
  int32_t lastChar_ = 0;
  VyTextAttributeMgr textAttributes_;
};

}  // namespace kesto
