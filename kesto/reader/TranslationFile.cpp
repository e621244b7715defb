// Finding and reading translation table files.
#include "kesto/reader/TranslationFile.h"

#include <cstdlib>
#include <system_error>

#include "host/core/WideString.h"
#include "kesto/reader/ControlCharacters.h"
#include "kesto/reader/ITagScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TranslationTable.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/XlationTextStream.h"

namespace kesto {
namespace {

constexpr int32_t kReturn = 0x0D;
constexpr int32_t kTab = 0x09;
constexpr char kFolderName[] = "Kesto";
// Characters read from one table file at most: more than any table the size limit allows, and a bound on
// the time spent on a file that never ends (files of the system's process folders claim no size).
constexpr int64_t kMaxFileCharacters = int64_t{1} << 28;

// An absolute folder from `variable`, else `fallback` under the home folder; empty when neither is known.
std::filesystem::path XdgFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && *value == '/') return value;
  const char* home = std::getenv("HOME");
  if (!home || *home != '/') return {};
  return std::filesystem::path(home) / fallback;
}

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : program.parent_path();
}

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The local path of a "file:" URI as the agent gives it; empty for any other URI.
std::filesystem::path PathOfFileUri(const WideString& uri) {
  std::string text = Utf8FromWide(uri);
  constexpr std::string_view kLocal = "file://";
  if (text.size() <= kLocal.size() || text.compare(0, kLocal.size(), kLocal) != 0) return {};
  std::string path;
  for (size_t i = kLocal.size(); i < text.size(); ++i) {
    int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
    if (text[i] == '%' && high >= 0 && low >= 0) {
      path += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      path += text[i];
    }
  }
  return path;
}

int32_t EscapedCharacter(int32_t c) {
  switch (c) {
    case '\\':
      return '\\';
    case 'b':
      return 0x08;
    case 'n':
      return 0x0A;
    case 'r':
      return 0x0D;
    case 't':
      return 0x09;
    case 'v':
      return 0x0B;
    default:
      return -1;
  }
}

// The encoding a header digit selects, as <e…> reads it; kUnspecified for digits that select none.
StreamEncoding HeaderEncoding(int32_t digit) {
  switch (digit) {
    case '0':
      return StreamEncoding::kMacRoman;
    case '1':
      return StreamEncoding::kWindowsLatin;
    case '9':
      return StreamEncoding::kUtf8;
    default:
      return StreamEncoding::kUnspecified;
  }
}

// One line of a table file at a time: the source up to the first tab, the target after the tabs up to the
// next, the rest ignored, and nothing from a comment character on.
class LineReader {
 public:
  LineReader(bool escapes, int32_t comment, TranslationTable& table)
      : escapes_(escapes), comment_(comment), table_(table) {}

  void Take(int32_t c) {
    if (c == kReturn) return EndLine();
    if (phase_ == Phase::kIgnored || IsNonCharacter(c)) return;
    if (escaping_) {
      escaping_ = false;
      if (int32_t escaped = EscapedCharacter(c); escaped >= 0) Append(source_, escaped);
      return;
    }
    if (c == comment_) {
      phase_ = Phase::kIgnored;
      return;
    }
    switch (phase_) {
      case Phase::kSource:
        if (c == kTab)
          phase_ = Phase::kTabs;
        else if (escapes_ && c == '\\')
          escaping_ = true;
        else
          Append(source_, c);
        return;
      case Phase::kTabs:
        if (c == kTab) return;
        phase_ = Phase::kTarget;
        [[fallthrough]];
      case Phase::kTarget:
        if (c == kTab)
          phase_ = Phase::kIgnored;
        else
          Append(target_, c);
        return;
      default:
        return;
    }
  }
  void EndLine() {
    if (sourceTooLong_)
      Note(kScanTranslationSourceTooLong);
    else if (targetTooLong_)
      Note(kScanTranslationTargetTooLong);
    else
      Note(table_.Add(source_, target_));
    source_.clear();
    target_.clear();
    sourceTooLong_ = targetTooLong_ = escaping_ = false;
    phase_ = Phase::kSource;
  }
  int32_t GetError() const { return error_; }

 private:
  enum class Phase { kSource, kTabs, kTarget, kIgnored };

  void Append(std::u32string& text, int32_t c) {
    bool source = &text == &source_;
    size_t limit = source ? TranslationTable::kMaxSourceLength : TranslationTable::kMaxTargetLength;
    if (text.size() < limit)
      text.push_back(static_cast<char32_t>(c));
    else
      (source ? sourceTooLong_ : targetTooLong_) = true;
  }
  void Note(int32_t error) {
    if (error_ == 0) error_ = error;
  }

  bool escapes_;
  int32_t comment_;
  TranslationTable& table_;
  Phase phase_ = Phase::kSource;
  bool escaping_ = false;
  bool sourceTooLong_ = false;
  bool targetTooLong_ = false;
  std::u32string source_;
  std::u32string target_;
  int32_t error_ = 0;
};

}  // namespace

std::vector<std::filesystem::path> TranslationFolders() {
  std::vector<std::filesystem::path> folders;
  auto add = [&folders](const std::filesystem::path& folder) {
    if (!folder.empty()) folders.push_back(folder / kFolderName);
  };
  add(ProgramFolder());
  add(XdgFolder("XDG_DATA_HOME", ".local/share"));
  const char* dirs = std::getenv("XDG_DATA_DIRS");
  std::string_view list = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
  while (!list.empty()) {
    size_t colon = list.find(':');
    std::string_view folder = list.substr(0, colon);
    if (!folder.empty() && folder[0] == '/') add(std::filesystem::path(folder));
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  add(XdgFolder("XDG_CONFIG_HOME", ".config"));
  return folders;
}

int32_t FindTranslationFile(ITagScannerAgent* agent, std::u16string_view name, std::filesystem::path& path) {
  WideString uri;
  if (agent && !name.empty() && agent->ResolveFileReference(uri, name) == 0) {
    path = PathOfFileUri(uri);
    if (!path.empty() && IsRegularFile(path)) return 0;
  }
  std::filesystem::path relative(Utf8FromWide(name));
  if (name.empty() || relative.is_absolute()) return kFileNotFoundErr;
  for (const std::filesystem::path& folder : TranslationFolders()) {
    path = folder / relative;
    if (IsRegularFile(path)) return 0;
  }
  path.clear();
  return kFileNotFoundErr;
}

int32_t ReadTranslationFile(const std::filesystem::path& path, StreamEncoding fallback, bool escapes,
                            TranslationTable& table) {
  VyFileStreamAgent file{VyFile(path)};
  if (int16_t opened = file.Open(VyFileAgentBase::kReadMode)) return opened;
  XlationTextStream stream(&file, fallback, VyTextStream::kWindowsLineEnds);
  return ReadTranslationLines(stream, escapes, table);
}

int32_t ReadTranslationLines(VyTextStream& stream, bool escapes, TranslationTable& table) {
  int32_t header[3] = {-1, -1, -1};
  int32_t c = stream.Read();
  for (int64_t n = 0; c != VyTextStream::kEndOfText && c != kReturn; c = stream.Read(), ++n) {
    if (n < 3) header[n] = c;
    if (n == kMaxFileCharacters) return kScanNoMemoryForTranslations;
  }
  StreamEncoding encoding = header[1] == 'e' ? HeaderEncoding(header[2]) : StreamEncoding::kUnspecified;
  // A byte-order mark has the last word on the encoding.
  if (encoding != StreamEncoding::kUnspecified && !stream.IsEncodingFixed())
    (void)stream.SetEncoding(encoding, false);
  LineReader lines(escapes, header[0], table);
  for (int64_t n = 0; c != VyTextStream::kEndOfText && lines.GetError() != kScanNoMemoryForTranslations;
       ++n) {
    if (n == kMaxFileCharacters) return kScanNoMemoryForTranslations;
    c = stream.Read();
    if (c == VyTextStream::kEndOfText)
      lines.EndLine();
    else
      lines.Take(c);
  }
  return lines.GetError();
}

std::u32string UnescapeTranslationSource(std::u32string_view source) {
  std::u32string out;
  out.reserve(source.size());
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i] != U'\\') {
      out.push_back(source[i]);
    } else if (i + 1 < source.size()) {
      int32_t escaped = EscapedCharacter(static_cast<int32_t>(source[++i]));
      if (escaped >= 0) out.push_back(static_cast<char32_t>(escaped));
    }
  }
  return out;
}

}  // namespace kesto
