// Kesto's export provider.
#include "kesto/services/KestoExportProvider.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "host/core/ServiceRegistry.h"
#include "kesto/services/KestoExportDriver.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/writer/PutterOptions.h"

namespace kesto {
namespace {

std::optional<StreamEncoding> EncodingNamed(const std::string& name) {
  static const std::pair<const char*, StreamEncoding> kNames[] = {
      {"utf-8", StreamEncoding::kUtf8},         {"utf-16le", StreamEncoding::kUtf16LE},
      {"utf-16be", StreamEncoding::kUtf16BE},   {"windows-latin", StreamEncoding::kWindowsLatin},
      {"mac-roman", StreamEncoding::kMacRoman},
  };
  for (const auto& [text, encoding] : kNames) {
    if (name == text) return encoding;
  }
  return std::nullopt;
}

ExportOutcome Failed(int32_t code, std::string message) {
  ExportOutcome outcome;
  outcome.code = code;
  outcome.message = std::move(message);
  return outcome;
}

// Reads the option switches into writer bits; false for a value other than "on" and "off".
bool ReadSwitches(const std::map<std::string, std::string>& options, uint32_t& bits) {
  static const std::pair<const char*, uint32_t> kSwitches[] = {
      {"fragment", kPutFragment},    {"separate-tags", kPutOneAttributePerTag},
      {"compact", kPutCompact},      {"styles-only", kPutStylesOnly},
      {"all-styles", kPutAllStyles},
  };
  for (const auto& [name, bit] : kSwitches) {
    auto found = options.find(name);
    if (found == options.end()) continue;
    if (found->second != "on" && found->second != "off") return false;
    if (found->second == "on") bits |= bit;
  }
  return true;
}

}  // namespace

ExportOutcome KestoExportProvider::Export(const ExportRequest& request) {
  KestoExportParams params;
  if (auto found = request.options.find("encoding"); found != request.options.end()) {
    std::optional<StreamEncoding> named = EncodingNamed(found->second);
    if (!named) return Failed(kParamErr, "unknown encoding '" + found->second + "'");
    params.encoding = *named;
  }
  if (!ReadSwitches(request.options, params.options))
    return Failed(kParamErr, "an export option is neither on nor off");
  params.story = request.story.GetUID();
  params.start = request.start;
  params.end = request.end;
  // Text meant to be appended to other tagged text carries no byte-order mark.
  params.byteOrderMark = (params.options & kPutFragment) == 0;

  std::unique_ptr<VyStreamAgent> agent;
  if (!request.file.empty()) {
    // The file must exist before the agent opens it for writing.
    if (std::FILE* created = std::fopen(request.file.c_str(), "ab")) std::fclose(created);
    auto file = std::make_unique<VyFileStreamAgent>(VyFile(request.file));
    if (int16_t opened = file->Open(VyFileAgentBase::kWriteMode); opened != 0)
      return Failed(opened, request.file.string() + ": " + std::string(FileErrorMessage(opened)));
    agent = std::move(file);
  } else if (request.bytes) {
    agent = std::make_unique<VyCharStringStreamAgent>(request.bytes);
  } else {
    return Failed(kParamErr, "no destination given");
  }
  int32_t result = RunKestoExport(agent.get(), request.story.GetDataBase(), params);
  ExportOutcome outcome;
  outcome.code = result;
  outcome.succeeded = result == 0;
  if (result != 0) {
    std::string where = request.file.empty() ? std::string() : request.file.string() + ": ";
    outcome.message = where + Utf8FromWide(ExportResultMessage(result));
  }
  return outcome;
}

ErrorCode RegisterKestoExportProvider(Registry& registry) {
  if (registry.IsClassRegistered(kKestoExportProviderBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoExportProvider>(kKestoExportProviderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kKestoExportProviderBoss, kInvalidClass, "kKestoExportProviderBoss",
                                   {{IID_IEXPORTPROVIDER, kKestoExportProviderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kExportProviderService, kKestoExportProviderBoss);
  return error;
}

}  // namespace kesto
