// Kesto's export provider.
#include "kesto/services/KestoExportProvider.h"

#include <optional>

#include "host/core/ServiceRegistry.h"
#include "host/db/SafeFileWriter.h"
#include "host/text/ITextModel.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/services/KestoExportDriver.h"
#include "kesto/services/KestoFacade.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/writer/HostTagPutter.h"
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
      {"all-styles", kPutAllStyles}, {"short-names", kPutShortTagNames},
  };
  for (const auto& [name, bit] : kSwitches) {
    auto found = options.find(name);
    if (found == options.end()) continue;
    if (found->second != "on" && found->second != "off") return false;
    bits = found->second == "on" ? bits | bit : bits & ~bit;
  }
  return true;
}

}  // namespace

ExportOutcome KestoExportProvider::Export(const ExportRequest& request) {
  KestoExportParams params;
  if (auto found = request.options.find("encoding"); found != request.options.end()) {
    std::optional<StreamEncoding> named = EncodingNamed(found->second);
    if (!named) return Failed(HostErrorCode(kParamErr), "unknown encoding '" + found->second + "'");
    params.encoding = *named;
  }
  // What the request does not say comes from the preferences.
  params.options = EffectiveWriterOptions(kFacadeUsePrefs);
  if (!ReadSwitches(request.options, params.options))
    return Failed(HostErrorCode(kParamErr), "an export option is neither on nor off");
  if (auto found = request.options.find("dialect"); found != request.options.end()) {
    if (found->second != "kesto" && found->second != "host")
      return Failed(HostErrorCode(kParamErr), "unknown dialect '" + found->second + "'");
    params.dialect = found->second == "host" ? ExportDialect::kHost : ExportDialect::kKesto;
  }
  params.story = request.story.GetUID();
  params.start = request.start;
  params.end = request.end;
  // Text meant to be appended to other tagged text carries no byte-order mark.
  params.byteOrderMark = (params.options & kPutFragment) == 0;

  // A file is written from memory in large blocks once the text is complete: a failed export then leaves
  // it untouched, and the disk sees a few large writes instead of one per buffer.
  std::string text;
  std::string* destination = request.file.empty() ? request.bytes : &text;
  if (!destination) return Failed(HostErrorCode(kParamErr), "no destination given");
  // The text is about as long as the story: room for it at once spares copying it as it grows.
  if (InterfacePtr<ITextModel> model =
          Instantiate<ITextModel>(request.story.GetDataBase(), request.story.GetUID()))
    destination->reserve(destination->size() + static_cast<size_t>(model->TotalLength()) * 9 / 8 + 4096);
  int32_t result = 0;
  {
    VyCharStringStreamAgent agent(destination);
    result = RunKestoExport(&agent, request.story.GetDataBase(), params);
  }
  // The file is replaced as documents are, so the same outputs are refused and the same messages tell why.
  if (result == 0 && !request.file.empty()) {
    if (FileResult written = SafeFileWriter::Replace(request.file, text); !written.ok())
      return Failed(HostErrorCode(kWriteErr), written.message);
  }
  // The code is the facade's, as for imports; the message keeps the engine's own words.
  ExportOutcome outcome;
  outcome.code = HostErrorCode(result);
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
