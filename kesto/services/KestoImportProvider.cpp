// Kesto's import provider.
#include "kesto/services/KestoImportProvider.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "host/app/ISession.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ServiceRegistry.h"
#include "host/db/FileStream.h"
#include "host/db/MemoryStream.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/include/IKestoFacade.h"
#include "kesto/include/IKestoPrefs.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/services/SetPrefsCmd.h"
#include "kesto/streams/FileSystemErrors.h"

namespace kesto {
namespace {

std::optional<TextEncoding> EncodingNamed(const std::string& name) {
  static const std::pair<const char*, TextEncoding> kNames[] = {
      {"auto", TextEncoding::kUnspecified},   {"windows-latin", TextEncoding::kWindowsLatin},
      {"mac-roman", TextEncoding::kMacRoman}, {"utf-8", TextEncoding::kUtf8},
      {"utf-16be", TextEncoding::kUtf16BE},   {"utf-16le", TextEncoding::kUtf16LE},
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

ImportOutcome KestoImportProvider::Import(const ImportRequest& request) {
  InterfacePtr<IKestoFacade3> facade = QueryUtils<IKestoFacade3>();
  if (!facade) return Failed(kFacadeUnknownError, "the Kesto facade is not available");
  const auto& options = request.options;
  TextEncoding encoding = TextEncoding::kUnspecified;
  if (auto found = options.find("encoding"); found != options.end()) {
    std::optional<TextEncoding> named = EncodingNamed(found->second);
    if (!named) return Failed(kFacadeUnknownError, "unknown encoding '" + found->second + "'");
    encoding = *named;
  }
  // What the request does not say comes from the preferences.
  uint32_t flags = facade->GetImportOptions() & ~kFacadeClearsBit10;
  if (!ReadSwitch(options, "report-errors", kFacadeReportErrors, false, flags) ||
      !ReadSwitch(options, "convert-quotes", kFacadeConvertQuotes, false, flags) ||
      !ReadSwitch(options, "style-sheets", kFacadeIncludeStyleSheets, false, flags) ||
      !ReadSwitch(options, "screen-update", kFacadeNoScreenUpdate, true, flags) ||
      !ReadSwitch(options, "delete-source", kFacadeDeleteSource, false, flags)) {
    return Failed(kFacadeUnknownError, "an import option is neither on nor off");
  }
  int32_t code = request.file.empty()
                     ? facade->ImportCharsAt(request.story, request.position, flags,
                                             reinterpret_cast<const char*>(request.bytes.data()),
                                             static_cast<int64_t>(request.bytes.size()), encoding)
                     : facade->ImportFileAt(request.story, request.position, flags, request.file, encoding);
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
  std::u16string units;
  auto starts = [&](std::initializer_list<uint8_t> mark) {
    return head.size() >= mark.size() && std::equal(mark.begin(), mark.end(), head.begin());
  };
  bool little = starts({0xFF, 0xFE}), big = starts({0xFE, 0xFF});
  if (little || big) {
    for (size_t i = 2; i + 1 < head.size(); i += 2)
      units += static_cast<char16_t>(little ? head[i] | head[i + 1] << 8 : head[i] << 8 | head[i + 1]);
    return units;
  }
  size_t from = starts({0xEF, 0xBB, 0xBF}) ? 3 : 0;
  for (size_t i = from; i < head.size(); ++i)
    units += static_cast<char16_t>(head[i]);
  return units;
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
