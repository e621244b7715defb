// HostTaggedTextImportProvider: the host's import provider for its own tagged-text dialect (format name
// "host"), offered under kImportProviderService so that front ends and plug-ins find it like any other.
#pragma once

#include "host/app/IImportProvider.h"
#include "host/core/CPMUnknown.h"

inline constexpr ClassID kHostTaggedTextImportProviderBoss = 0x20810;
inline constexpr ImplementationID kHostTaggedTextImportProviderImpl = 0x20810;

// Imports through ImportHostTaggedText. The outcome's code is the host error code (or
// kFileNotFoundError for a file that cannot be read); its message counts the tags it skipped and the values
// it rejected.
class HostTaggedTextImportProvider final : public CPMUnknown<IImportProvider> {
 public:
  explicit HostTaggedTextImportProvider(Boss* boss) : CPMUnknown<IImportProvider>(boss) {}
  std::string GetFormatName() const override { return "host"; }
  // "interpret-tags" (on by default; off: only a leading encoding header is a tag).
  std::vector<ProviderOption> GetOptions() const override;
  ImportOutcome Import(const ImportRequest& request) override;

  // "txt".
  std::vector<std::string> GetFileExtensions() const override { return {"txt"}; }
  // 1 for a ".txt" file (its header tells), 0 for others.
  int32_t CanImportFile(const std::filesystem::path& file) const override;
  // 2 when `head` begins with one of the dialect's encoding headers, 0 otherwise.
  int32_t CanImportStream(std::span<const uint8_t> head, const std::filesystem::path& file) const override;
  // Reads the source into a new story of `db`, tags interpreted.
  ImportOutcome Place(const std::filesystem::path& file, std::span<const uint8_t> bytes, IDataBase* db,
                      UID& story) override;
};

// Registers the provider's class and implementation and offers it as an import provider service.
ErrorCode RegisterHostTaggedTextImportProvider();
