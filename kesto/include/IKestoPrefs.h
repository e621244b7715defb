// IKestoPrefs: every user option of the tagged-text engine as one fixed record: the import and export
// options, the file-name extensions the import filter accepts and the picture-download settings. The
// application and document workspaces carry it; SetPrefsCmd changes it.
#pragma once

#include <cstdint>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "kesto/include/KestoID.h"

namespace kesto {

// Option bits of KestoPrefsRecord::options.
enum KestoPrefsOption : uint16_t {
  kPrefConvertQuotes = 1 << 0,
  kPrefIncludeStyleSheets = 1 << 1,
  kPrefReportErrors = 1 << 2,
  kPrefNoScreenUpdate = 1 << 3,
  kPrefDeleteSourceFile = 1 << 4,
  kPrefExportFragment = 1 << 5,
  kPrefExportSeparateTags = 1 << 6,
  kPrefExportCompact = 1 << 7,
  kPrefStoredOnly = 1 << 8,
  kPrefExportBit9 = 1 << 9,
  kPrefImportBit10 = 1 << 10,
  kPrefLinkDownloads = 1 << 11,
};

inline constexpr int32_t kMaxPrefsExtensions = 4;
inline constexpr int32_t kPrefsExtensionUnits = 16;  // per extension, the terminator included
inline constexpr int32_t kPrefsFolderUnits = 64;     // the terminator included
inline constexpr int16_t kAllDownloadComponents = 32767;
// The largest picture a download may bring, in megabytes: a server that sends more is stopped there.
inline constexpr int32_t kDefaultDownloadLimitMB = 256;
inline constexpr int32_t kMaxDownloadLimitMB = 1 << 20;

struct KestoPrefsRecord {
  uint16_t options = kPrefLinkDownloads;
  int16_t downloadDepth = 0;
  int32_t extensionCount = 1;
  char16_t extensions[kMaxPrefsExtensions][kPrefsExtensionUnits] = {{u't', u'x', u't'}};
  char16_t downloadsFolder[kPrefsFolderUnits] = {u'D', u'o', u'w', u'n', u'l', u'o', u'a', u'd', u's'};
  int32_t downloadLimitMB = kDefaultDownloadLimitMB;

  bool operator==(const KestoPrefsRecord&) const = default;
};

// The host file-type code of an extension index past the list.
inline constexpr uint32_t kUnknownFileType = 0x3F3F3F3F;  // "????"
inline constexpr uint32_t kTextFileType = 0x54455854;     // "TEXT"

// Message to observers of a workspace whose preferences SetPrefsCmd changed (protocol IID_IKESTOPREFS).
inline constexpr ClassID kKestoPrefsChangedMessage = kKestoPrefix + 0x03;

class IKestoPrefs : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IKESTOPREFS.Get() };

  virtual void SetAll(const KestoPrefsRecord& record) = 0;
  virtual void CopyFrom(const IKestoPrefs* other) = 0;
  virtual void GetAll(KestoPrefsRecord& record) const = 0;
  virtual int32_t SetConvertQuotes(bool on) = 0;
  virtual bool GetConvertQuotes() const = 0;
  virtual void SetIncludeStyleSheets(bool on) = 0;
  virtual bool GetIncludeStyleSheets() const = 0;
  virtual void SetReportErrors(bool on) = 0;
  virtual bool GetReportErrors() const = 0;
  virtual void SetNoScreenUpdate(bool on) = 0;
  virtual bool GetNoScreenUpdate() const = 0;
  virtual void SetDeleteSourceFile(bool on) = 0;
  virtual bool GetDeleteSourceFile() const = 0;
  virtual int32_t GetExtensionCount() const = 0;
  // The file-type code of extension `index`: "TEXT" for the first, the first four characters packed for
  // the others (first character highest), "????" past the list. Fills `name` (may be null) when the index
  // is valid.
  virtual uint32_t GetExtension(int32_t index, WideString* name) const = 0;
  // Ignored when `extension` is empty or four are stored; at most 16 units are kept.
  virtual void AddExtension(const WideString& extension) = 0;
  virtual void ResetExtensions() = 0;
  virtual void SetExportFragment(bool on) = 0;
  virtual bool GetExportFragment() const = 0;
  virtual void SetExportSeparateTags(bool on) = 0;
  virtual bool GetExportSeparateTags() const = 0;
  virtual void SetExportCompact(bool on) = 0;
  virtual bool GetExportCompact() const = 0;
  virtual void SetExportBit9(bool on) = 0;
  virtual bool GetExportBit9() const = 0;
  virtual bool GetLinkDownloads() const = 0;
  virtual void SetLinkDownloads(bool on) = 0;
  virtual int16_t GetDownloadDepth() const = 0;
  virtual void SetDownloadDepth(int16_t depth) = 0;
  // The stored units (zero-terminated) and their count.
  virtual const char16_t* GetDownloadsFolder(int32_t& length) const = 0;
  // Keeps at most 63 units.
  virtual void SetDownloadsFolder(const char16_t* name, int32_t length) = 0;
};

}  // namespace kesto
