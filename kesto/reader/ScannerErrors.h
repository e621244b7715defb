// ScannerErrors: the codes a tag handler stores in the scanner's error field; each names the message of
// the same number in the scanner error list.
#pragma once

#include <cstdint>

namespace kesto {

inline constexpr int32_t kScanNoError = 0;
inline constexpr int32_t kScanMalformedTag = 1;
inline constexpr int32_t kScanNoSuchTag = 2;
inline constexpr int32_t kScanNoSuchFont = 3;
inline constexpr int32_t kScanMissingFont = 4;
inline constexpr int32_t kScanNoSuchColor = 5;
inline constexpr int32_t kScanNoSuchStyle = 6;
inline constexpr int32_t kScanNoSuchHJ = 7;
inline constexpr int32_t kScanNoSuchFrame = 8;
inline constexpr int32_t kScanMalformedNumber = 9;
inline constexpr int32_t kScanValueOutOfRange = 10;
inline constexpr int32_t kScanTooManyTabs = 11;
inline constexpr int32_t kScanUnexpectedEndOfInput = 12;
inline constexpr int32_t kScanUnexpectedEndOfLine = 13;
inline constexpr int32_t kScanTextFrameNesting = 14;
inline constexpr int32_t kScanNoMemoryForTranslations = 15;
inline constexpr int32_t kScanTranslationFileNotFound = 16;
inline constexpr int32_t kScanTranslationSourceTooLong = 17;
inline constexpr int32_t kScanTranslationTargetTooLong = 18;
inline constexpr int32_t kScanNoSuchMasterPage = 19;
inline constexpr int32_t kScanMalformedDefinitionPrefix = 20;
inline constexpr int32_t kScanNoSuchBasedOnStyle = 21;
inline constexpr int32_t kScanMalformedTabAlignment = 22;
inline constexpr int32_t kScanMalformedTabLeader = 23;
inline constexpr int32_t kScanNoSuchLineStyle = 24;
inline constexpr int32_t kScanTooManyStackPops = 25;
inline constexpr int32_t kScanNoMemoryForStackPush = 26;
inline constexpr int32_t kScanNoSuchOperator = 27;
inline constexpr int32_t kScanInternalError = 28;
inline constexpr int32_t kScanNoSuchNextStyle = 29;
inline constexpr int32_t kScanNoDefaultValue = 30;
inline constexpr int32_t kScanNestedMacro = 31;
inline constexpr int32_t kScanNoSuchMacro = 32;
inline constexpr int32_t kScanMacroBodyTooLong = 33;
inline constexpr int32_t kScanNoMemoryForMacro = 34;
inline constexpr int32_t kScanMalformedMacroArgument = 35;
inline constexpr int32_t kScanMacroExpansionTooLong = 36;
inline constexpr int32_t kScanNumberTooLong = 37;
inline constexpr int32_t kScanStringTooLong = 38;
inline constexpr int32_t kScanListElementTooLong = 39;
inline constexpr int32_t kScanSubListElementTooLong = 40;
inline constexpr int32_t kScanStyleNameTooLong = 41;
inline constexpr int32_t kScanMacroNameTooLong = 42;
inline constexpr int32_t kScanHiddenTextMismatch = 43;
inline constexpr int32_t kScanNoMemoryForLayerSet = 44;
inline constexpr int32_t kScanParagraphTagInCharacterStyle = 45;
inline constexpr int32_t kScanCharacterOutOfRange = 46;
inline constexpr int32_t kScanNoSuchLanguage = 47;
inline constexpr int32_t kScanNoSuchComposer = 48;
inline constexpr int32_t kScanNoSuchKerningMethod = 49;
inline constexpr int32_t kScanNoMemoryForScanner = 50;
inline constexpr int32_t kScanStyleNameAmbiguous = 51;
inline constexpr int32_t kScanHyperlinkMismatch = 52;
// Text after <e…> or <v…> on its line: the language drops it, the reader says so.
inline constexpr int32_t kScanHeaderTextDropped = 53;

inline constexpr int32_t kScanLastError = kScanHeaderTextDropped;

}  // namespace kesto
