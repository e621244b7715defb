// HostTagScanner: reads the host's own tagged-text dialect (<ParaStyle:Body>, <0x00E9>, attribute tags
// named by the host's attribute classes ...) and hands text, styles, attribute changes and table structure
// to a scanner agent. Used to learn what embedded host tagged text holds, and to import host-dialect files.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/WideString.h"
#include "kesto/reader/CTaggedTextScanner.h"

namespace kesto {

class HostTagScanner final : public CTaggedTextScanner {
 public:
  // Header states.
  static constexpr int32_t kNoHeader = 0;
  static constexpr int32_t kHeaderSeen = 1;
  static constexpr int32_t kBodyStarted = 2;

  // Fills the process-wide keyword list on first construction.
  HostTagScanner();

  // Calls the agent's begin-import (its answer becomes the error), reads `source` to its end or to the first
  // error, calls end-import and answers the error (0 when none). Errors of tags (reader error numbers: 1
  // malformed, 2 unknown tag, 10 value out of range, 12 unexpected end, 28 attribute not made, 46 bad
  // character in a tag name) go to the agent's report-error, whose answer becomes the error.
  int32_t Scan(VyTextStream* source, ITagScannerAgent* agent) override;
  int32_t Reset() override;

  int32_t GetHeaderState() const { return headerState_; }

 private:
  struct Tag {
    WideString name;
    int32_t code = 0;
    bool hasColon = false;
  };

  // Reads until the end of the input, an error, or (when `awaited` is not 0) a tag of that code, whose
  // contents it skips; answers whether that tag ended it.
  bool ScanUntil(int32_t awaited, int32_t depth);
  // After "<": reads and handles one tag; answers whether it was the awaited one.
  bool ReadTag(int32_t awaited, int32_t depth);
  // Reads the name up to ":" or ">"; false when it is no tag (what was read is then text).
  bool ReadName(Tag& tag);
  void HandleTag(const Tag& tag, int32_t depth);
  void HandleHeader(const Tag& tag);
  void HandleStyle(const Tag& tag);
  // The style named by the value read, on the paragraph or character side; false when there is none.
  bool ApplyStyleNamed(bool paragraph);
  // Asks the agent to make the style named by the value read; the agent's answer.
  int32_t DefineMissingStyle(bool paragraph);
  void HandleTable(const Tag& tag, int32_t depth);
  void HandleCharacterCode(const Tag& tag);
  void HandleAttribute(const Tag& tag);
  // The rest of the tag after its colon, up to the matching ">": nested "<…>" counted, "\" escapes kept
  // out of the value. With `styleName` an unescaped ":" after the first unit becomes the group separator.
  void ReadValue(bool styleName);
  // Skips the rest of a tag with a colon.
  void SkipContents(const Tag& tag);
  // Is the next character ">" (taken)? Otherwise it stays unread.
  bool TakeClosing();
  void SkipLineEnds();
  void Append(int32_t c);
  int32_t ConvertTypography(int32_t c);
  // Hands the pending text to the agent.
  void Deliver();
  void NoteTagError(int32_t code) {
    if (pendingError_ == 0) pendingError_ = code;
  }

  WideString value_;
  VyTextStream* source_ = nullptr;
  int32_t headerState_ = kNoHeader;
  bool firstTag_ = true;
  int32_t pendingError_ = 0;
};

}  // namespace kesto
