// KestoExportProvider: Kesto's export provider for the host: writes a story range as Kesto tagged text to a
// file or to bytes, with options by name.
#pragma once

#include "host/app/IExportProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr ClassID kKestoExportProviderBoss = kKestoPrefix + 0x13;
inline constexpr ImplementationID kKestoExportProviderImpl = kKestoPrefix + 0x13;

class KestoExportProvider : public CPMUnknown<IExportProvider> {
 public:
  explicit KestoExportProvider(Boss* boss) : CPMUnknown<IExportProvider>(boss) {}
  std::string GetFormatName() const override { return "kesto"; }
  // "format" (kesto or host: the host's own tagged-text dialect), "encoding" (the writable encodings,
  // utf-8 by default), the switches the preferences keep ("fragment", "separate-tags", "compact") and
  // "styles-only", "all-styles", "short-names" (the host dialect's short tag names; needs format host).
  std::vector<ProviderOption> GetOptions() const override;
  // An option value GetOptions does not allow, or one without what it needs, fails with code -50 before
  // anything is written.
  ExportOutcome Export(const ExportRequest& request) override;
};

// Registers the provider's class and implementation and offers it as an export provider service.
ErrorCode RegisterKestoExportProvider(Registry& registry);

}  // namespace kesto
