// KestoPrefs: the engine's preferences as a plain object (the data of SetPrefsCmd); PersistKestoPrefs: the
// copy a workspace keeps, saved with it, whose changes join the current undo step.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/IKestoPrefs.h"

namespace kesto {

inline constexpr ImplementationID kKestoPrefsImpl = kKestoPrefix + 0x06;
inline constexpr ImplementationID kPersistKestoPrefsImpl = kKestoPrefix + 0x07;

class KestoPrefs : public CPMUnknown<IKestoPrefs> {
 public:
  explicit KestoPrefs(Boss* boss) : CPMUnknown<IKestoPrefs>(boss) {}

  void SetAll(const KestoPrefsRecord& record) override;
  void CopyFrom(const IKestoPrefs* other) override;
  void GetAll(KestoPrefsRecord& record) const override { record = record_; }
  int32_t SetConvertQuotes(bool on) override;
  bool GetConvertQuotes() const override { return Has(kPrefConvertQuotes); }
  void SetIncludeStyleSheets(bool on) override { SetBit(kPrefIncludeStyleSheets, on); }
  bool GetIncludeStyleSheets() const override { return Has(kPrefIncludeStyleSheets); }
  void SetReportErrors(bool on) override { SetBit(kPrefReportErrors, on); }
  bool GetReportErrors() const override { return Has(kPrefReportErrors); }
  void SetNoScreenUpdate(bool on) override { SetBit(kPrefNoScreenUpdate, on); }
  bool GetNoScreenUpdate() const override { return Has(kPrefNoScreenUpdate); }
  void SetDeleteSourceFile(bool on) override { SetBit(kPrefDeleteSourceFile, on); }
  bool GetDeleteSourceFile() const override { return Has(kPrefDeleteSourceFile); }
  int32_t GetExtensionCount() const override { return record_.extensionCount; }
  uint32_t GetExtension(int32_t index, WideString* name) const override;
  void AddExtension(const WideString& extension) override;
  void ResetExtensions() override;
  void SetExportFragment(bool on) override { SetBit(kPrefExportFragment, on); }
  bool GetExportFragment() const override { return Has(kPrefExportFragment); }
  void SetExportSeparateTags(bool on) override { SetBit(kPrefExportSeparateTags, on); }
  bool GetExportSeparateTags() const override { return Has(kPrefExportSeparateTags); }
  void SetExportCompact(bool on) override { SetBit(kPrefExportCompact, on); }
  bool GetExportCompact() const override { return Has(kPrefExportCompact); }
  void SetExportBit9(bool on) override { SetBit(kPrefExportBit9, on); }
  bool GetExportBit9() const override { return Has(kPrefExportBit9); }
  bool GetLinkDownloads() const override { return Has(kPrefLinkDownloads); }
  void SetLinkDownloads(bool on) override;
  int16_t GetDownloadDepth() const override { return record_.downloadDepth; }
  void SetDownloadDepth(int16_t depth) override;
  const char16_t* GetDownloadsFolder(int32_t& length) const override;
  void SetDownloadsFolder(const char16_t* name, int32_t length) override;

 protected:
  // Called before the record changes; false when the change is refused (a persistent record changed
  // outside a command). The link-downloads, depth and folder setters call it only for a value that differs
  // from the one held.
  virtual bool WillChange() { return true; }
  // What SetConvertQuotes answers.
  virtual int32_t ConvertQuotesAnswer(bool on) const { return on ? 1 : 0; }

  KestoPrefsRecord record_;

 private:
  bool Has(uint16_t bit) const { return (record_.options & bit) != 0; }
  void SetBit(uint16_t bit, bool on);
};

class PersistKestoPrefs final : public KestoPrefs {
 public:
  // A workspace's preferences start with quotes converted and style sheets included.
  explicit PersistKestoPrefs(Boss* boss);
  // Twelve option flags, the extensions (their count marked as the current layout), then link-downloads,
  // depth and folder; data of the older layout, without the last three, reads them as "link, every
  // component, Downloads".
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 protected:
  bool WillChange() override { return PreDirty() == kSuccess; }
  int32_t ConvertQuotesAnswer(bool) const override { return 0xFFFE; }
};

// Registers both implementations and adds the persistent one to the application and document workspaces.
ErrorCode RegisterKestoPrefs(Registry& registry);

}  // namespace kesto
