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

// The options it reads: "encoding" (utf-8, the default, utf-16le, utf-16be, windows-latin, mac-roman),
// "dialect" ("kesto", the default, or "host" for the host's own tagged-text dialect), and "fragment",
// "separate-tags", "compact", "styles-only", "all-styles", "short-names" (the host dialect's short tag
// names) ("on" or "off", all off by default).
class KestoExportProvider : public CPMUnknown<IExportProvider> {
 public:
  explicit KestoExportProvider(Boss* boss) : CPMUnknown<IExportProvider>(boss) {}
  std::string GetFormatName() const override { return "kesto"; }
  // An unknown option value fails with code -50 before anything is written.
  ExportOutcome Export(const ExportRequest& request) override;
};

// Registers the provider's class and implementation and offers it as an export provider service.
ErrorCode RegisterKestoExportProvider(Registry& registry);

}  // namespace kesto
