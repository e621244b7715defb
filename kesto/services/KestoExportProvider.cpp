// Kesto's export provider.
#include "kesto/services/KestoExportProvider.h"

#include <optional>

#include "host/app/ProviderOption.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/SafeFileWriter.h"
#include "host/res/TextEncodings.h"
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

constexpr const char* kFormat = "format";

// A switch and the writer bit it sets; `negatable` ones start from the preferences.
struct WriterSwitch {
  const char* name;
  uint32_t bit;
  bool negatable;
  const char* needs;
  const char* help;
  const char* offHelp;
};

constexpr WriterSwitch kSwitches[] = {
    {"fragment", kPutFragment, true, "", "no header, no style-sheet definitions and no byte-order mark",
     "a header, the style-sheet definitions and a byte-order mark"},
    {"separate-tags", kPutOneAttributePerTag, true, "",
     "every attribute in its own tag (host format: the paragraph style tag on every paragraph)",
     "attributes together in one tag"},
    {"compact", kPutCompact, true, "", "leave out parameters that have their default value",
     "every parameter"},
    {"styles-only", kPutStylesOnly, false, "", "only the header and the style-sheet definitions", ""},
    {"all-styles", kPutAllStyles, false, "",
     "define every style sheet of the document, not only those the text uses", ""},
    {"short-names", kPutShortTagNames, false, "format=host",
     "host format: the short tag names (<pstyle:...> ...)", ""},
};

std::vector<ProviderOption> DescribeOptions() {
  std::vector<ProviderOption> options = {
      {.name = kFormat,
       .kind = ProviderOption::Kind::kChoice,
       .choices = {"kesto", "host"},
       .defaultValue = "kesto",
       .valueName = "FMT",
       .help = "Kesto tagged text, or the host's own dialect after a header line naming the encoding"},
      EncodingOption(TextEncodings::Direction::kWrite, CharacterEncoding::kUtf8,
                     "Unicode with a byte-order mark unless a fragment"),
  };
  for (const WriterSwitch& entry : kSwitches) {
    options.push_back({.name = entry.name,
                       .defaultValue = entry.negatable ? "" : "off",
                       .negatable = entry.negatable,
                       .needs = entry.needs,
                       .help = entry.help,
                       .offHelp = entry.offHelp});
  }
  return options;
}

ExportOutcome Failed(int32_t code, std::string message) {
  ExportOutcome outcome;
  outcome.code = code;
  outcome.message = std::move(message);
  return outcome;
}

// The writer's bits: `bits`, changed by the switches `options` gives.
uint32_t WriterBits(uint32_t bits, const std::map<std::string, std::string>& options) {
  for (const WriterSwitch& entry : kSwitches) {
    auto found = options.find(entry.name);
    if (found != options.end()) bits = found->second == "on" ? bits | entry.bit : bits & ~entry.bit;
  }
  return bits;
}

}  // namespace

std::vector<ProviderOption> KestoExportProvider::GetOptions() const {
  return DescribeOptions();
}

ExportOutcome KestoExportProvider::Export(const ExportRequest& request) {
  const std::vector<ProviderOption> described = DescribeOptions();
  if (std::string problem = CheckOptionValues(described, request.options); !problem.empty())
    return Failed(HostErrorCode(kParamErr), problem);
  KestoExportParams params;
  params.encoding = *TextEncodings::Named(OptionValue(described, request.options, kEncodingOptionName),
                                          TextEncodings::Direction::kWrite);
  // What the request does not say comes from the preferences.
  params.options = WriterBits(EffectiveWriterOptions(kFacadeUsePrefs), request.options);
  params.dialect = OptionValue(described, request.options, kFormat) == "host" ? ExportDialect::kHost
                                                                              : ExportDialect::kKesto;
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
