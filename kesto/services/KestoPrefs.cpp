// The engine's preferences record and its persistence.
#include "kesto/services/KestoPrefs.h"

#include <algorithm>
#include <iterator>

#include "host/core/HostIDs.h"
#include "host/db/IPMStream.h"

namespace kesto {
namespace {

// The option bits persisted as the first eleven flags, in order.
constexpr int kPersistedFlags = 11;
constexpr int32_t kCurrentLayoutMark = 0x10000;
// Marks data that ends with the download limit; data without it reads the default limit.
constexpr int32_t kLimitLayoutMark = 0x20000;

template <size_t N>
void CopyUnits(char16_t (&to)[N], const char16_t* from, size_t count) {
  std::fill(std::begin(to), std::end(to), u'\0');
  std::copy_n(from, std::min(count, N - 1), to);
}

size_t UnitCount(const char16_t* units, size_t capacity) {
  return static_cast<size_t>(std::find(units, units + capacity, u'\0') - units);
}

// An extension entry keeps up to all of its 16 units; a full one has no terminator.
void StoreExtension(char16_t (&slot)[kPrefsExtensionUnits], const char16_t* units, size_t count) {
  std::fill(std::begin(slot), std::end(slot), u'\0');
  std::copy_n(units, std::min<size_t>(count, kPrefsExtensionUnits), slot);
}

}  // namespace

void KestoPrefs::SetAll(const KestoPrefsRecord& record) {
  if (!WillChange()) return;
  record_ = record;
}

void KestoPrefs::CopyFrom(const IKestoPrefs* other) {
  if (!other) return;
  KestoPrefsRecord record;
  other->GetAll(record);
  SetAll(record);
}

int32_t KestoPrefs::SetConvertQuotes(bool on) {
  SetBit(kPrefConvertQuotes, on);
  return ConvertQuotesAnswer(on);
}

void KestoPrefs::SetBit(uint16_t bit, bool on) {
  if (!WillChange()) return;
  record_.options = static_cast<uint16_t>(on ? record_.options | bit : record_.options & ~bit);
}

uint32_t KestoPrefs::GetExtension(int32_t index, WideString* name) const {
  if (index < 0 || index >= record_.extensionCount) return kUnknownFileType;
  const char16_t* units = record_.extensions[index];
  if (name) name->assign(units, UnitCount(units, kPrefsExtensionUnits));
  if (index == 0) return kTextFileType;
  uint32_t code = 0;
  size_t length = UnitCount(units, kPrefsExtensionUnits);
  for (size_t i = 0; i < 4; ++i)
    code = (code << 8) | (i < length ? (units[i] & 0xFFu) : 0u);
  return code;
}

void KestoPrefs::AddExtension(const WideString& extension) {
  if (extension.empty() || record_.extensionCount >= kMaxPrefsExtensions) return;
  if (!WillChange()) return;
  StoreExtension(record_.extensions[record_.extensionCount++], extension.data(), extension.size());
}

void KestoPrefs::ResetExtensions() {
  if (!WillChange()) return;
  KestoPrefsRecord defaults;
  std::copy_n(&defaults.extensions[0][0], kMaxPrefsExtensions * kPrefsExtensionUnits,
              &record_.extensions[0][0]);
  record_.extensionCount = 1;
}

void KestoPrefs::SetLinkDownloads(bool on) {
  if (on != GetLinkDownloads()) SetBit(kPrefLinkDownloads, on);
}

void KestoPrefs::SetDownloadDepth(int16_t depth) {
  if (depth == record_.downloadDepth) return;
  if (!WillChange()) return;
  record_.downloadDepth = depth;
}

const char16_t* KestoPrefs::GetDownloadsFolder(int32_t& length) const {
  length = static_cast<int32_t>(UnitCount(record_.downloadsFolder, kPrefsFolderUnits));
  return record_.downloadsFolder;
}

void KestoPrefs::SetDownloadsFolder(const char16_t* name, int32_t length) {
  char16_t folder[kPrefsFolderUnits];
  CopyUnits(folder, name, name && length > 0 ? static_cast<size_t>(length) : 0);
  if (std::equal(std::begin(folder), std::end(folder), std::begin(record_.downloadsFolder))) return;
  if (!WillChange()) return;
  std::copy(std::begin(folder), std::end(folder), std::begin(record_.downloadsFolder));
}

PersistKestoPrefs::PersistKestoPrefs(Boss* boss) : KestoPrefs(boss) {
  record_.options |= kPrefConvertQuotes | kPrefIncludeStyleSheets;
}

void PersistKestoPrefs::ReadWrite(IPMStream* stream, ImplementationID) {
  for (int bit = 0; bit < kPersistedFlags; ++bit) {
    bool on = (record_.options >> bit) & 1;
    stream->XferBool(on);
    record_.options = static_cast<uint16_t>((record_.options & ~(1u << bit)) | (on ? 1u << bit : 0u));
  }
  bool reserved = false;
  stream->XferBool(reserved);
  int32_t count = record_.extensionCount | kCurrentLayoutMark | kLimitLayoutMark;
  stream->XferInt32(count);
  bool current = (count & ~0xFFFF) != 0;
  bool withLimit = (count & kLimitLayoutMark) != 0;
  // Every stored name is read, so that what follows stays in step; the record keeps the first four.
  int32_t stored = count & 0xFFFF;
  for (int32_t i = 0; i < stored && stream->IsGood(); ++i) {
    WideString name;
    if (i < kMaxPrefsExtensions)
      name.assign(record_.extensions[i], UnitCount(record_.extensions[i], kPrefsExtensionUnits));
    stream->XferString(name);
    if (i < kMaxPrefsExtensions) StoreExtension(record_.extensions[i], name.data(), name.size());
  }
  if (stream->IsReading()) {
    record_.extensionCount = std::min(stored, kMaxPrefsExtensions);
    for (int32_t i = record_.extensionCount; i < kMaxPrefsExtensions; ++i)
      std::fill(std::begin(record_.extensions[i]), std::end(record_.extensions[i]), u'\0');
    // A list without its first entry would accept no file at all.
    if (record_.extensionCount == 0) {
      record_.extensionCount = 1;
      StoreExtension(record_.extensions[0], u"txt", 3);
    }
  }
  if (!current) {
    record_.options |= kPrefLinkDownloads;
    record_.downloadDepth = kAllDownloadComponents;
    KestoPrefsRecord defaults;
    std::copy(std::begin(defaults.downloadsFolder), std::end(defaults.downloadsFolder),
              std::begin(record_.downloadsFolder));
    return;
  }
  bool link = GetLinkDownloads();
  stream->XferBool(link);
  record_.options = static_cast<uint16_t>(link ? record_.options | kPrefLinkDownloads
                                               : record_.options & ~kPrefLinkDownloads);
  stream->XferInt16(record_.downloadDepth);
  auto length = static_cast<int16_t>(UnitCount(record_.downloadsFolder, kPrefsFolderUnits));
  stream->XferInt16(length);
  // A longer name than the record holds is read whole, so that what follows stays in step, and cut.
  std::u16string folder(record_.downloadsFolder, UnitCount(record_.downloadsFolder, kPrefsFolderUnits));
  folder.resize(static_cast<size_t>(std::max<int16_t>(length, 0)));
  for (char16_t& unit : folder) {
    if (!stream->IsGood()) break;
    auto value = static_cast<int16_t>(unit);
    stream->XferInt16(value);
    unit = static_cast<char16_t>(value);
  }
  if (stream->IsReading()) CopyUnits(record_.downloadsFolder, folder.data(), folder.size());
  if (withLimit) {
    stream->XferInt32(record_.downloadLimitMB);
  } else {
    record_.downloadLimitMB = kDefaultDownloadLimitMB;
  }
  if (record_.downloadLimitMB < 1 || record_.downloadLimitMB > kMaxDownloadLimitMB)
    record_.downloadLimitMB = kDefaultDownloadLimitMB;
}

ErrorCode RegisterKestoPrefs(Registry& registry) {
  if (registry.IsImplementationRegistered(kPersistKestoPrefsImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoPrefs>(kKestoPrefsImpl);
  if (error == kSuccess)
    error = registry.RegisterImplementation<PersistKestoPrefs>(kPersistKestoPrefsImpl, true);
  for (ClassID workspace : {kWorkspaceBoss, kDocWorkspaceBoss}) {
    if (error == kSuccess) error = registry.AddIn(workspace, {{IID_IKESTOPREFS, kPersistKestoPrefsImpl}});
  }
  return error;
}

}  // namespace kesto
