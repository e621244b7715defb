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

// The options it reads: "encoding" (auto, windows-latin, mac-roman, utf-8, utf-16be, utf-16le),
// "report-errors", "convert-quotes", "style-sheets", "screen-update" ("on" or "off"). Reports and style
// sheets are on, quotes are left as they are, and the screen is updated unless the options say otherwise.
class KestoImportProvider : public CPMUnknown<IImportProvider> {
 public:
  explicit KestoImportProvider(Boss* boss) : CPMUnknown<IImportProvider>(boss) {}
  std::string GetFormatName() const override { return "kesto"; }
  // An unknown option value fails with code -50 before anything is read.
  ImportOutcome Import(const ImportRequest& request) override;
};

// Registers the provider's class and implementation and offers it as an import provider service.
ErrorCode RegisterKestoImportProvider(Registry& registry);

}  // namespace kesto
