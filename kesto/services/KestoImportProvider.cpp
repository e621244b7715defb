// Kesto's import provider.
#include "kesto/services/KestoImportProvider.h"

#include <optional>

#include "host/core/ServiceRegistry.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"

namespace kesto {
namespace {

std::optional<StreamEncoding> EncodingNamed(const std::string& name) {
  static const std::pair<const char*, StreamEncoding> kNames[] = {
      {"auto", StreamEncoding::kUnspecified},   {"windows-latin", StreamEncoding::kWindowsLatin},
      {"mac-roman", StreamEncoding::kMacRoman}, {"utf-8", StreamEncoding::kUtf8},
      {"utf-16be", StreamEncoding::kUtf16BE},   {"utf-16le", StreamEncoding::kUtf16LE},
  };
  for (const auto& [text, encoding] : kNames) {
    if (name == text) return encoding;
  }
  return std::nullopt;
}

// Sets or clears `bit` from option `name`; false for a value other than "on" and "off".
bool ReadSwitch(const std::map<std::string, std::string>& options, const char* name, uint32_t bit,
                bool inverted, uint32_t& word) {
  auto found = options.find(name);
  if (found == options.end()) return true;
  if (found->second != "on" && found->second != "off") return false;
  bool on = (found->second == "on") != inverted;
  word = on ? word | bit : word & ~bit;
  return true;
}

ImportOutcome Failed(int32_t code, std::string message) {
  ImportOutcome outcome;
  outcome.code = code;
  outcome.message = std::move(message);
  return outcome;
}

}  // namespace

ImportOutcome KestoImportProvider::Import(const ImportRequest& request) {
  const auto& options = request.options;
  StreamEncoding encoding = StreamEncoding::kUnspecified;
  if (auto found = options.find("encoding"); found != options.end()) {
    std::optional<StreamEncoding> named = EncodingNamed(found->second);
    if (!named) return Failed(kParamErr, "unknown encoding '" + found->second + "'");
    encoding = *named;
  }
  uint32_t word = kImportIncludeStyleSheets | kImportReportErrors;
  if (!ReadSwitch(options, "report-errors", kImportReportErrors, false, word) ||
      !ReadSwitch(options, "convert-quotes", kImportConvertQuotes, false, word) ||
      !ReadSwitch(options, "style-sheets", kImportIncludeStyleSheets, false, word) ||
      !ReadSwitch(options, "screen-update", kImportNoScreenUpdate, true, word)) {
    return Failed(kParamErr, "an import option is neither on nor off");
  }

  std::unique_ptr<VyStreamAgent> agent;
  if (!request.file.empty()) {
    auto file = std::make_unique<VyFileStreamAgent>(VyFile(request.file));
    if (int16_t opened = file->Open(VyFileAgentBase::kReadMode); opened != 0)
      return Failed(opened, request.file.string() + ": " + std::string(FileErrorMessage(opened)));
    agent = std::move(file);
  } else {
    agent = std::make_unique<VyMemoryStreamAgent>(request.bytes.data(), request.bytes.size(), encoding);
  }
  KestoImportResult result = RunKestoImport(agent.get(), encoding, request.story.GetDataBase(),
                                            request.story.GetUID(), request.position, word);
  ImportOutcome outcome;
  outcome.code = result.result;
  outcome.message = Utf8FromWide(ImportResultMessage(result.result));
  outcome.succeeded =
      result.result == 0 || result.result == kEngineOneError || result.result == kEngineErrors;
  outcome.ranToEnd = result.ranToEnd;
  return outcome;
}

ErrorCode RegisterKestoImportProvider(Registry& registry) {
  if (registry.IsClassRegistered(kKestoImportProviderBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoImportProvider>(kKestoImportProviderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kKestoImportProviderBoss, kInvalidClass, "kKestoImportProviderBoss",
                                   {{IID_IIMPORTPROVIDER, kKestoImportProviderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kImportProviderService, kKestoImportProviderBoss);
  return error;
}

}  // namespace kesto
