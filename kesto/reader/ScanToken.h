// ScanToken, LexMode and DefMode: what the scanner last produced, how it reads the next characters, and
// which kind of line it is inside.
#pragma once

#include <cstdint>

namespace kesto {

enum class ScanToken : int32_t {
  kNone = 0,  // a tag that only changed attributes
  kError = 1,
  kBegin = 2,
  kText = 3,
  kParagraphStyleDefined = 4,
  kParagraphStyleMissing = 5,
  kCharacterStyleDefined = 6,
  kCharacterStyleMissing = 7,
  kColorDefinitionSkipped = 8,
  kHJDefinitionSkipped = 9,
  kTextBoxStart = 10,
  kTextBoxEnd = 11,
  kOtherBox = 12,
  kGroup = 13,
  kMasterPage = 14,
  kFrameAdjustment = 15,
  kPreviousPageNumber = 16,
  kCurrentPageNumber = 17,
  kNextPageNumber = 18,
  kBreakCharacter = 19,
  kMarker = 20,
  kTextAnchorStart = 21,
  kAnchorSpec = 22,
  kLinkDestination = 26,
  kHyperlinkStart = 27,
  kHyperlinkEnd = 28,
  kHyperlinkEndToBox = 29,
  kHostTaggedText = 30,
  kEnd = 31,
};

enum class LexMode : int32_t { kTag = 0, kStyleLine = 1, kText = 2 };

enum class DefMode : int32_t {
  kNormal = 0,
  kParagraphStyle = 1,
  kCharacterStyle = 2,
  kColor = 3,   // the line is skipped
  kHJ = 4,      // the line is skipped
  kHeader = 5,  // the rest of a <v…> or <e…> line
};

}  // namespace kesto
