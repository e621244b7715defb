// IKestoFacade: the one way in to the tagged-text engine for imports and exports, whatever starts them.
// Its versions are reached on the host's utilities object: IKestoFacade2 (IID_IKESTOFACADE) and
// IKestoFacade3 (IID_IKESTOFACADE3), each adding operations to the one before. Every operation answers a
// host error code as a KestoResult: 0, 2 for a cancel, or a code from 0xA8D00 to 0xA8DFF whose text the
// error-string service gives.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/db/UIDRef.h"
#include "kesto/include/KestoID.h"
#include "kesto/include/KestoResult.h"

class IPMStream;

namespace kesto {

class IKestoPrefs;

enum class TextEncoding : int32_t {
  kUnspecified = 0,  // read: detected; write: 7-bit
  kWindowsLatin = 1,
  kMacRoman = 2,
  kUtf8 = 3,
  kUtf16BE = 4,
  kUtf16LE = 5,
};

// The options word of every operation.
inline constexpr uint32_t kFacadeUsePrefs = 0x8000;  // every other bit ignored (but export's append)
inline constexpr uint32_t kFacadeConvertQuotes = 0x1;
inline constexpr uint32_t kFacadeIncludeStyleSheets = 0x2;
inline constexpr uint32_t kFacadeReportErrors = 0x4;
inline constexpr uint32_t kFacadeNoScreenUpdate = 0x8;
inline constexpr uint32_t kFacadeDeleteSource = 0x10;
inline constexpr uint32_t kFacadeClearsBit10 = 0x20;
inline constexpr uint32_t kFacadeExportFragment = 0x1;
inline constexpr uint32_t kFacadeExportSeparateTags = 0x2;
inline constexpr uint32_t kFacadeExportCompact = 0x4;
inline constexpr uint32_t kFacadeExportAppend = 0x8;

// The text operations' length that means "up to the terminating zero".
inline constexpr int64_t kUpToZero = -1;

// Host error codes.
inline constexpr int32_t kFacadeCancelled = 2;
inline constexpr int32_t kFacadeUnknownError = 0xA8DFF;  // parameter errors and any unlisted code

struct TextRange {
  int32_t start = 0;
  int32_t end = 0;
};

class IKestoFacade : public IPMUnknown {
 public:
  // Imports UTF-16 text at the start of the story.
  virtual KestoResult ImportText(const UIDRef& story, uint32_t flags, const WideString& text) = 0;
  // Imports a file at the start of the story; no file imports the clipboard's Unicode text.
  virtual KestoResult ImportFile(const UIDRef& story, uint32_t flags, const std::filesystem::path* file) = 0;
};

class IKestoFacade2 : public IKestoFacade {
 public:
  enum { kDefaultIID = IID_IKESTOFACADE.Get() };
  // Preference import bits 0..4, with bit 5 from preference bit 10.
  virtual uint32_t GetImportOptions() const = 0;
  // Preference bits 5..7 as bits 0..2.
  virtual uint32_t GetExportOptions() const = 0;
  virtual KestoResult ImportFileAt(const UIDRef& story, int32_t position, uint32_t flags,
                                   const std::filesystem::path& file, TextEncoding encoding) = 0;
  virtual KestoResult ImportUTF16At(const UIDRef& story, int32_t position, uint32_t flags,
                                    const char16_t* text, int64_t length) = 0;
  virtual KestoResult ImportWideCharsAt(const UIDRef& story, int32_t position, uint32_t flags,
                                        const char16_t* text, int64_t length) = 0;
  virtual KestoResult ImportCharsAt(const UIDRef& story, int32_t position, uint32_t flags, const char* text,
                                    int64_t length, TextEncoding encoding) = 0;
  virtual KestoResult ExportItemsToFile(const UIDList& items, uint32_t flags,
                                        const std::filesystem::path& file, TextEncoding encoding) = 0;
  virtual KestoResult ExportStoryToFile(const UIDRef& story, TextRange range, uint32_t flags,
                                        const std::filesystem::path& file, TextEncoding encoding) = 0;
  virtual KestoResult ExportItemsToWideString(const UIDList& items, uint32_t flags, WideString& out) = 0;
  virtual KestoResult ExportItemsToWString(const UIDList& items, uint32_t flags, std::u16string& out) = 0;
  virtual KestoResult ExportItemsToString(const UIDList& items, uint32_t flags, std::string& out,
                                          TextEncoding encoding) = 0;
  virtual KestoResult ExportStoryToWideString(const UIDRef& story, TextRange range, uint32_t flags,
                                              WideString& out) = 0;
  virtual KestoResult ExportStoryToWString(const UIDRef& story, TextRange range, uint32_t flags,
                                           std::u16string& out) = 0;
  virtual KestoResult ExportStoryToString(const UIDRef& story, TextRange range, uint32_t flags,
                                          std::string& out, TextEncoding encoding) = 0;
};

class IKestoFacade3 : public IKestoFacade2 {
 public:
  enum { kDefaultIID = IID_IKESTOFACADE3.Get() };
  virtual KestoResult ImportStreamAt(const UIDRef& story, int32_t position, uint32_t flags, IPMStream* stream,
                                     TextEncoding encoding) = 0;
  virtual KestoResult ExportItemsToStream(const UIDList& items, uint32_t flags, IPMStream* stream,
                                          TextEncoding encoding) = 0;
  virtual KestoResult ExportStoryToStream(const UIDRef& story, TextRange range, uint32_t flags,
                                          IPMStream* stream, TextEncoding encoding) = 0;
  // The import (export) bits a preferences object holds, as a file dialog's copy gives them.
  virtual uint32_t ImportOptionsFromDialog(const IKestoPrefs* prefs) const = 0;
  virtual uint32_t ExportOptionsFromDialog(const IKestoPrefs* prefs) const = 0;
};

}  // namespace kesto
