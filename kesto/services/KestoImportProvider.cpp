// Kesto's import provider.
#include "kesto/services/KestoImportProvider.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "host/app/ISession.h"
#include "host/app/ProviderOption.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/FileStream.h"
#include "host/db/MemoryStream.h"
#include "host/res/TextEncodings.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/include/IKestoPrefs.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/services/KestoFacade.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/services/SetPrefsCmd.h"
#include "kesto/streams/FileSystemErrors.h"

namespace kesto {
namespace {

constexpr const char* kFormat = "format";
constexpr const char* kDeleteSource = "delete-source";
constexpr const char* kDownloads = "downloads";

// A switch the preferences keep, and the facade bit it sets (or, `inverted`, clears).
struct PrefsSwitch {
  const char* name;
  uint32_t bit;
  bool inverted;
  const char* help;
  const char* offHelp;
};

constexpr PrefsSwitch kSwitches[] = {
    {"report-errors", kFacadeReportErrors, false, "leave a report in the text at each bad tag",
     "drop bad tags silently"},
    {"convert-quotes", kFacadeConvertQuotes, false, "typographer's quotes and dashes",
     "quotes and dashes as they are"},
    {"style-sheets", kFacadeIncludeStyleSheets, false, "read style-sheet lines and tags",
     "style-sheet lines and tags are text"},
    {"screen-update", kFacadeNoScreenUpdate, true, "show the text while it is read",
     "show the text once it is read"},
    {kDeleteSource, kFacadeDeleteSource, false, "delete the source file after a successful import",
     "keep the source file"},
};

std::vector<ProviderOption> DescribeOptions() {
  std::vector<ProviderOption> options = {
      {.name = kFormat,
       .kind = ProviderOption::Kind::kChoice,
       .choices = {"kesto", "host"},
       .defaultValue = "kesto",
       .valueName = "FMT",
       .help = "the dialect of a source that does not begin with a header of the host's dialect"},
      EncodingOption(TextEncodings::Direction::kRead, CharacterEncoding::kUnspecified),
      {.name = kDownloads,
       .kind = ProviderOption::Kind::kValue,
       .valueName = "DIR",
       .help = "the folder pictures named by URL are downloaded into (by default the preferences' folder "
               "beside the saved document, else the user's downloads folder)"},
  };
  for (const PrefsSwitch& entry : kSwitches) {
    options.push_back({.name = entry.name,
                       .negatable = true,
                       .needsFile = entry.name == std::string_view(kDeleteSource),
                       .help = entry.help,
                       .offHelp = entry.offHelp});
  }
  return options;
}

// The facade's option bits: the preferences, changed by the switches `options` gives.
uint32_t FacadeFlags(uint32_t preferences, const std::map<std::string, std::string>& options) {
  uint32_t flags = preferences;
  for (const PrefsSwitch& entry : kSwitches) {
    auto found = options.find(entry.name);
    if (found == options.end()) continue;
    bool on = (found->second == "on") != entry.inverted;
    flags = on ? flags | entry.bit : flags & ~entry.bit;
  }
  return flags;
}

ImportOutcome Failed(int32_t code, std::string message) {
  ImportOutcome outcome;
  outcome.code = code;
  outcome.message = std::move(message);
  return outcome;
}

// The outcome of a facade import: reports left in the text are a success; replaced characters and bytes
// that were not UTF-8 still give a story worth keeping.
ImportOutcome OutcomeOf(int32_t code) {
  auto is = [code](std::initializer_list<int32_t> results) {
    return std::any_of(results.begin(), results.end(),
                       [code](int32_t r) { return HostErrorCode(r) == code; });
  };
  ImportOutcome outcome;
  outcome.code = code;
  outcome.message = Utf8FromWide(HostErrorText(code));
  outcome.succeeded = code == 0 || is({kEngineOneError, kEngineErrors});
  outcome.ranToEnd =
      outcome.succeeded || is({kEngineInvalidUtf8, kEngineOneReplacedCharacter, kEngineReplacedCharacters});
  return outcome;
}

}  // namespace

std::vector<ProviderOption> KestoImportProvider::GetOptions() const {
  return DescribeOptions();
}

ImportOutcome KestoImportProvider::Import(const ImportRequest& request) {
  InterfacePtr<IKestoFacade3> facade = QueryUtils<IKestoFacade3>();
  if (!facade) return Failed(kFacadeUnknownError, "the Kesto facade is not available");
  const std::vector<ProviderOption> described = DescribeOptions();
  if (std::string problem = CheckOptionValues(described, request.options); !problem.empty())
    return Failed(kFacadeUnknownError, problem);
  StreamEncoding encoding = *TextEncodings::Named(
      OptionValue(described, request.options, kEncodingOptionName), TextEncodings::Direction::kRead);
  ImportSetup setup;
  setup.dialect = OptionValue(described, request.options, kFormat) == "host" ? ImportDialect::kHost
                                                                             : ImportDialect::kKesto;
  setup.downloads = OptionValue(described, request.options, kDownloads);
  // What the request does not say comes from the preferences.
  uint32_t flags = FacadeFlags(facade->GetImportOptions() & ~kFacadeClearsBit10, request.options);
  int32_t code = request.file.empty()
                     ? ImportFromBytes(request.story, request.position, flags, request.bytes, encoding, setup)
                     : ImportFromFile(request.story, request.position, flags, request.file, encoding, setup);
  ImportOutcome outcome = OutcomeOf(code);
  // A file that could not be read is named.
  if (!request.file.empty() && IsFileSystemCode(code))
    outcome.message = request.file.string() + ": " + outcome.message;
  return outcome;
}

namespace {

// The first characters of `head` as code units: UTF-16 after its byte-order mark, else one unit a byte
// (a UTF-8 mark skipped); a header is plain ASCII either way.
std::u16string HeadUnits(std::span<const uint8_t> head) {
  TextEncodings::Detected found = TextEncodings::Detect(head, false, false);
  head = head.subspan(found.markLength);
  std::u16string units;
  bool little = found.encoding == CharacterEncoding::kUtf16LE;
  if (little || found.encoding == CharacterEncoding::kUtf16BE) {
    for (size_t i = 0; i + 1 < head.size(); i += 2)
      units += static_cast<char16_t>(little ? head[i] | head[i + 1] << 8 : head[i] << 8 | head[i + 1]);
    return units;
  }
  return std::u16string(head.begin(), head.end());
}

class HeaderReader {
 public:
  explicit HeaderReader(std::u16string_view text) : text_(text) {}
  bool Take(char16_t c) { return at_ < text_.size() && text_[at_] == c ? (++at_, true) : false; }
  bool Digit() {
    return at_ < text_.size() && text_[at_] >= u'0' && text_[at_] <= u'9' ? (++at_, true) : false;
  }
  // "v" digit "." digit [digit] ">", the "<" already taken.
  bool Version() { return Take(u'v') && Digit() && Take(u'.') && Digit() && (Digit(), Take(u'>')); }
  // "e" digit ">", the "<" already taken.
  bool Encoding() { return Take(u'e') && Digit() && Take(u'>'); }

 private:
  std::u16string_view text_;
  size_t at_ = 0;
};

bool ExtensionIsOneOf(const std::filesystem::path& file, const std::vector<std::string>& extensions) {
  std::string extension = file.extension().string();
  if (extension.size() < 2) return false;
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(extensions.begin(), extensions.end(), extension.substr(1)) != extensions.end();
}

}  // namespace

bool StartsWithKestoHeader(std::span<const uint8_t> head) {
  std::u16string units = HeadUnits(head);
  // The text stream reads a line feed (alone or after a return) as a paragraph end, so a header line
  // ends in any of the three.
  auto headerFrom = [&](bool versionFirst) {
    HeaderReader r(units);
    if (!r.Take(u'<') || !(versionFirst ? r.Version() : r.Encoding())) return false;
    if (r.Take(u'\r') || r.Take(u'\n')) return true;
    return r.Take(u'<') && (versionFirst ? r.Encoding() : r.Version()) && (r.Take(u'\r') || r.Take(u'\n'));
  };
  return headerFrom(true) || headerFrom(false);
}

std::vector<std::string> KestoImportProvider::GetFileExtensions() const {
  KestoPrefsRecord prefs = GetApplicationPrefs();
  std::vector<std::string> names = {"txt", "kst"};
  for (int32_t i = 1; i < prefs.extensionCount && i < kMaxPrefsExtensions; ++i) {
    const char16_t* units = prefs.extensions[i];
    std::string name;
    for (int32_t k = 0; k < kPrefsExtensionUnits && units[k]; ++k)
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(units[k] & 0x7F)));
    names.push_back(name);
  }
  return names;
}

int32_t KestoImportProvider::CanImportFile(const std::filesystem::path& file) const {
  if (file.empty()) return 0;
  return ExtensionIsOneOf(file, GetFileExtensions()) ? 2 : 1;
}

int32_t KestoImportProvider::CanImportStream(std::span<const uint8_t> head,
                                             const std::filesystem::path& file) const {
  if (StartsWithKestoHeader(head)) return 2;
  std::vector<std::string> extensions = GetFileExtensions();
  extensions.erase(extensions.begin());  // "txt" is any text's; only the header claims it
  return !file.empty() && ExtensionIsOneOf(file, extensions) ? 1 : 0;
}

ImportOutcome KestoImportProvider::Place(const std::filesystem::path& file, std::span<const uint8_t> bytes,
                                         IDataBase* db, UID& story) {
  story = kInvalidUID;
  if (!db || TextCmdUtils::NewStory(db, story) != kSuccess) {
    ErrorUtils::PMSetGlobalErrorCode(kFailure);
    return Failed(HostErrorCode(kParamErr), "no story could be made for the text");
  }
  InterfacePtr<IKestoFacade3> facade = QueryUtils<IKestoFacade3>();
  if (!facade) return Failed(HostErrorCode(kParamErr), "the Kesto facade is not available");
  uint32_t flags = facade->GetImportOptions() | kFacadeIncludeStyleSheets;
  std::unique_ptr<IPMStream> stream;
  if (!bytes.empty()) {
    stream = std::make_unique<MemoryReadStream>(bytes);
  } else {
    int error = 0;
    stream = FileStream::Open(file, FileStream::Mode::kRead, error);
    if (!stream) {
      int32_t code = HostErrorCode(FileErrorFromErrno(error, FileAccess::kRead));
      return Failed(code, file.string() + ": " + Utf8FromWide(HostErrorText(code)));
    }
  }
  int32_t code =
      facade->ImportStreamAt(UIDRef(db, story), 0, flags, stream.get(), TextEncoding::kWindowsLatin);
  return OutcomeOf(code);
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
