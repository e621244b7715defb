// KestoImportProvider: Kesto's import provider for the host: imports Kesto tagged text from a file or from
// bytes into a story, with options by name.
#pragma once

#include "host/app/IImportProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr ClassID kKestoImportProviderBoss = kKestoPrefix + 0x12;
inline constexpr ImplementationID kKestoImportProviderImpl = kKestoPrefix + 0x12;

// Imports go through the facade's sources. The outcome's code is the facade's host error code, its message
// that code's text.
class KestoImportProvider : public CPMUnknown<IImportProvider> {
 public:
  explicit KestoImportProvider(Boss* boss) : CPMUnknown<IImportProvider>(boss) {}
  std::string GetFormatName() const override { return "kesto"; }
  // "format" (kesto or host: the dialect of a source without a host header), "encoding" (the readable
  // encodings, "auto" detecting), and the switches the preferences keep: "report-errors",
  // "convert-quotes", "style-sheets", "screen-update", "delete-source".
  std::vector<ProviderOption> GetOptions() const override;
  // An option value GetOptions does not allow fails with the facade's unknown error before anything is read.
  ImportOutcome Import(const ImportRequest& request) override;

  // "txt", "kst", then the extensions of the preferences after their first.
  std::vector<std::string> GetFileExtensions() const override;
  // 2 for a file with one of the extensions, 1 for any other (every file is text to this host), 0 for none.
  int32_t CanImportFile(const std::filesystem::path& file) const override;
  // 2 when `head` begins with a Kesto header; else 1 when the file's extension is one of the format's but
  // not "txt" (plain text needs the header); else 0.
  int32_t CanImportStream(std::span<const uint8_t> head, const std::filesystem::path& file) const override;
  // Reads the file with the options of the preferences, style sheets always included.
  ImportOutcome Place(const std::filesystem::path& file, std::span<const uint8_t> bytes, IDataBase* db,
                      UID& story) override;
};

// Whether `head` begins with a Kesto header line: "<v7.00>" or "<e9>" (either or both, in either order)
// followed by a return. A byte-order mark in front is skipped.
bool StartsWithKestoHeader(std::span<const uint8_t> head);

// Registers the provider's class and implementation and offers it as an import provider service.
ErrorCode RegisterKestoImportProvider(Registry& registry);

}  // namespace kesto
