// The facade: sources and destinations, options, and host error codes.
#include "kesto/services/KestoFacade.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "host/compose/StoryComposer.h"
#include "host/core/HostIDs.h"
#include "host/db/SafeFileWriter.h"
#include "kesto/include/IKestoPrefs.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoExportDriver.h"
#include "kesto/services/KestoHostCodes.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/services/SetPrefsCmd.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/KestoClipboardAgent.h"
#include "kesto/streams/VyFileStreamAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/writer/PutterOptions.h"

namespace kesto {
namespace {

constexpr uint32_t kImportBits = 0x1F;  // preference bits 0..4
constexpr uint32_t kExportBits = 0x7;   // facade export bits 0..2, preference bits 5..7
constexpr int kExportPrefsShift = 5;

StreamEncoding StreamEncodingOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kWindowsLatin:
      return StreamEncoding::kWindowsLatin;
    case TextEncoding::kMacRoman:
      return StreamEncoding::kMacRoman;
    case TextEncoding::kUtf8:
      return StreamEncoding::kUtf8;
    case TextEncoding::kUtf16BE:
      return StreamEncoding::kUtf16BE;
    case TextEncoding::kUtf16LE:
      return StreamEncoding::kUtf16LE;
    default:
      return StreamEncoding::kUnspecified;
  }
}

int32_t ParameterError() {
  return HostErrorCode(kParamErr);
}

// Imports what `agent` reads into the story; deletes `source` afterwards when the options ask for it and
// the import answered 0.
int32_t Import(const UIDRef& story, int32_t position, uint32_t flags, VyStreamAgent* agent,
               StreamEncoding encoding, const std::filesystem::path* source = nullptr,
               const ImportSetup& setup = {}) {
  if (!story.GetDataBase() || !agent) return ParameterError();
  uint32_t options = EffectiveImportOptions(flags);
  KestoImportResult result = RunKestoImport(agent, encoding, story.GetDataBase(), story.GetUID(), position,
                                            options & ~kFacadeDeleteSource, setup);
  // The import finished its story inside its own command sequence; whatever ran as the sequence ended may
  // have left the layout behind, and callers expect the story shown composed to its end.
  if (StoryComposer::NeedsComposition(story.GetDataBase(), story.GetUID()))
    (void)StoryComposer::ComposeFully(story.GetDataBase(), story.GetUID());
  if (result.result == 0 && source && (options & kFacadeDeleteSource)) {
    std::error_code ec;
    std::filesystem::remove(*source, ec);
  }
  return HostErrorCode(result.result);
}

// Memory over the caller's units, up to the first zero for a length of kUpToZero.
template <class Unit>
int32_t ImportUnits(const UIDRef& story, int32_t position, uint32_t flags, const Unit* text, int64_t length,
                    StreamEncoding encoding, const ImportSetup& setup = {}) {
  if (!text || length < kUpToZero) return ParameterError();
  if (length == kUpToZero) length = static_cast<int64_t>(std::char_traits<Unit>::length(text));
  VyMemoryStreamAgent agent(text, static_cast<size_t>(length) * sizeof(Unit), encoding);
  return Import(story, position, flags, &agent, encoding, nullptr, setup);
}

// What a file holds before an export is appended to it: nothing when it is not there yet. 0 or a
// file-system code.
int16_t ReadForAppend(const std::filesystem::path& file, std::string& bytes) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? 0 : FileErrorFromErrno(errno, FileAccess::kRead);
  char block[65536];
  ssize_t got = 0;
  while ((got = ::read(fd, block, sizeof(block))) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    bytes.append(block, static_cast<size_t>(got));
  }
  int error = got < 0 ? errno : 0;
  ::close(fd);
  return FileErrorFromErrno(error, FileAccess::kRead);
}

bool ValidRange(const UIDRef& story, TextRange range) {
  return story.GetDataBase() && range.start >= 0 && range.end >= range.start;
}

int32_t ExportStory(const UIDRef& story, TextRange range, uint32_t flags, VyStreamAgent* agent,
                    StreamEncoding encoding, bool byteOrderMark) {
  KestoExportParams params;
  params.story = story.GetUID();
  params.start = range.start;
  params.end = range.end;
  params.encoding = encoding;
  params.options = EffectiveWriterOptions(flags);
  params.byteOrderMark = byteOrderMark && (flags & kFacadeExportAppend) == 0;
  return HostErrorCode(RunKestoExport(agent, story.GetDataBase(), params));
}

template <class Text>
int32_t ExportStoryToText(const UIDRef& story, TextRange range, uint32_t flags, Text destination,
                          StreamEncoding encoding) {
  if (!ValidRange(story, range)) return ParameterError();
  if (!(flags & kFacadeExportAppend)) destination.resize(0);
  VyStringStreamAgent<Text> agent(&destination);
  // Text in memory carries no byte-order mark; an 8-bit string in a Unicode encoding is a file's image.
  bool mark = sizeof(typename Text::value_type) == 1;
  return ExportStory(story, range, flags, &agent, encoding, mark);
}

}  // namespace

int32_t ImportFromFile(const UIDRef& story, int32_t position, uint32_t flags,
                       const std::filesystem::path& file, StreamEncoding encoding, const ImportSetup& setup) {
  VyFileStreamAgent agent{VyFile(file)};
  if (int16_t opened = agent.Open(VyFileAgentBase::kReadMode); opened != 0) return HostErrorCode(opened);
  return Import(story, position, flags, &agent, encoding, &file, setup);
}

int32_t ImportFromBytes(const UIDRef& story, int32_t position, uint32_t flags, std::span<const uint8_t> bytes,
                        StreamEncoding encoding, const ImportSetup& setup) {
  // Nothing to read (an empty pipe) is an empty source, not a missing one.
  static constexpr char kNothing = 0;
  const char* text = bytes.empty() ? &kNothing : reinterpret_cast<const char*>(bytes.data());
  return ImportUnits(story, position, flags, text, static_cast<int64_t>(bytes.size()), encoding, setup);
}

uint32_t EffectiveImportOptions(uint32_t flags) {
  KestoPrefsRecord prefs = GetApplicationPrefs();
  return (flags & kFacadeUsePrefs) ? prefs.options & kImportBits : flags & kImportBits;
}

uint32_t EffectiveWriterOptions(uint32_t flags) {
  KestoPrefsRecord prefs = GetApplicationPrefs();
  uint32_t bits =
      (flags & kFacadeUsePrefs) ? (prefs.options >> kExportPrefsShift) & kExportBits : flags & kExportBits;
  uint32_t options = 0;
  if ((bits & kFacadeExportFragment) || (flags & kFacadeExportAppend)) options |= kPutFragment;
  if (bits & kFacadeExportSeparateTags) options |= kPutOneAttributePerTag;
  if (bits & kFacadeExportCompact) options |= kPutCompact;
  if (prefs.options & kPrefExportBit9) options |= 0x200;
  return options;
}

template <class I>
int32_t KestoFacadeBase<I>::ImportText(const UIDRef& story, uint32_t flags, const WideString& text) {
  return ImportUnits(story, 0, flags, text.data(), static_cast<int64_t>(text.size()),
                     StreamEncoding::kUtf16LE);
}

template <class I>
int32_t KestoFacadeBase<I>::ImportFile(const UIDRef& story, uint32_t flags,
                                       const std::filesystem::path* file) {
  if (file) return ImportFromFile(story, 0, flags, *file, StreamEncoding::kUtf8);
  int16_t error = 0;
  std::unique_ptr<KestoClipboardAgent> clipboard = KestoClipboardAgent::Create(error);
  if (!clipboard) return HostErrorCode(error);
  return Import(story, 0, flags, clipboard.get(), clipboard->GetEncoding());
}

template <class I>
uint32_t KestoFacadeBase<I>::GetImportOptions() const {
  KestoPrefsRecord prefs = GetApplicationPrefs();
  return (prefs.options & kImportBits) | ((prefs.options & kPrefImportBit10) ? kFacadeClearsBit10 : 0);
}

template <class I>
uint32_t KestoFacadeBase<I>::GetExportOptions() const {
  return (GetApplicationPrefs().options >> kExportPrefsShift) & kExportBits;
}

template <class I>
int32_t KestoFacadeBase<I>::ImportFileAt(const UIDRef& story, int32_t position, uint32_t flags,
                                         const std::filesystem::path& file, TextEncoding encoding) {
  return ImportFromFile(story, position, flags, file, StreamEncodingOf(encoding));
}

template <class I>
int32_t KestoFacadeBase<I>::ImportUTF16At(const UIDRef& story, int32_t position, uint32_t flags,
                                          const char16_t* text, int64_t length) {
  return ImportUnits(story, position, flags, text, length, StreamEncoding::kUtf16LE);
}

template <class I>
int32_t KestoFacadeBase<I>::ImportWideCharsAt(const UIDRef& story, int32_t position, uint32_t flags,
                                              const char16_t* text, int64_t length) {
  return ImportUnits(story, position, flags, text, length, StreamEncoding::kUtf16LE);
}

template <class I>
int32_t KestoFacadeBase<I>::ImportCharsAt(const UIDRef& story, int32_t position, uint32_t flags,
                                          const char* text, int64_t length, TextEncoding encoding) {
  return ImportUnits(story, position, flags, text, length, StreamEncodingOf(encoding));
}

template <class I>
int32_t KestoFacadeBase<I>::ExportItemsToFile(const UIDList&, uint32_t, const std::filesystem::path&,
                                              TextEncoding) {
  return ParameterError();
}

template <class I>
int32_t KestoFacadeBase<I>::ExportStoryToFile(const UIDRef& story, TextRange range, uint32_t flags,
                                              const std::filesystem::path& file, TextEncoding encoding) {
  if (!ValidRange(story, range)) return ParameterError();
  // The file is replaced whole through the host's safe writer, as documents are; an append replaces it with
  // its old content followed by the new text.
  std::string bytes;
  if (flags & kFacadeExportAppend) {
    if (int16_t read = ReadForAppend(file, bytes); read != 0) return HostErrorCode(read);
  }
  VyCharStringStreamAgent agent(&bytes);
  if (int32_t result = ExportStory(story, range, flags, &agent, StreamEncodingOf(encoding), true);
      result != 0)
    return result;
  return SafeFileWriter::Replace(file, bytes).ok() ? 0 : HostErrorCode(kWriteErr);
}

template <class I>
int32_t KestoFacadeBase<I>::ExportItemsToWideString(const UIDList&, uint32_t, WideString&) {
  return ParameterError();
}

template <class I>
int32_t KestoFacadeBase<I>::ExportItemsToWString(const UIDList&, uint32_t, std::u16string&) {
  return ParameterError();
}

template <class I>
int32_t KestoFacadeBase<I>::ExportItemsToString(const UIDList&, uint32_t, std::string&, TextEncoding) {
  return ParameterError();
}

template <class I>
int32_t KestoFacadeBase<I>::ExportStoryToWideString(const UIDRef& story, TextRange range, uint32_t flags,
                                                    WideString& out) {
  return ExportStoryToText(story, range, flags, MyWideString(out), kNativeUtf16);
}

template <class I>
int32_t KestoFacadeBase<I>::ExportStoryToWString(const UIDRef& story, TextRange range, uint32_t flags,
                                                 std::u16string& out) {
  if (!ValidRange(story, range)) return ParameterError();
  if (!(flags & kFacadeExportAppend)) out.clear();
  VyWStringStreamAgent agent(&out);
  return ExportStory(story, range, flags, &agent, kNativeUtf16, false);
}

template <class I>
int32_t KestoFacadeBase<I>::ExportStoryToString(const UIDRef& story, TextRange range, uint32_t flags,
                                                std::string& out, TextEncoding encoding) {
  if (!ValidRange(story, range)) return ParameterError();
  if (!(flags & kFacadeExportAppend)) out.clear();
  VyCharStringStreamAgent agent(&out);
  StreamEncoding stream =
      encoding == TextEncoding::kUnspecified ? StreamEncoding::kWindowsLatin : StreamEncodingOf(encoding);
  return ExportStory(story, range, flags, &agent, stream, true);
}

template class KestoFacadeBase<IKestoFacade2>;
template class KestoFacadeBase<IKestoFacade3>;

int32_t KestoFacade3::ImportStreamAt(const UIDRef& story, int32_t position, uint32_t flags, IPMStream* stream,
                                     TextEncoding encoding) {
  if (!stream) return ParameterError();
  VyPMStreamStreamAgent agent(stream, VyFileAgentBase::kReadMode, StreamEncodingOf(encoding));
  return Import(story, position, flags, &agent, StreamEncodingOf(encoding));
}

int32_t KestoFacade3::ExportItemsToStream(const UIDList&, uint32_t, IPMStream*, TextEncoding) {
  return ParameterError();
}

int32_t KestoFacade3::ExportStoryToStream(const UIDRef& story, TextRange range, uint32_t flags,
                                          IPMStream* stream, TextEncoding encoding) {
  if (!stream || !ValidRange(story, range)) return ParameterError();
  VyPMStreamStreamAgent agent(stream, VyFileAgentBase::kWriteMode, StreamEncodingOf(encoding));
  return ExportStory(story, range, flags, &agent, StreamEncodingOf(encoding), true);
}

uint32_t KestoFacade3::ImportOptionsFromDialog(const IKestoPrefs* prefs) const {
  if (!prefs) return 0;
  return (prefs->GetConvertQuotes() ? kFacadeConvertQuotes : 0) |
         (prefs->GetIncludeStyleSheets() ? kFacadeIncludeStyleSheets : 0) |
         (prefs->GetReportErrors() ? kFacadeReportErrors : 0) |
         (prefs->GetNoScreenUpdate() ? kFacadeNoScreenUpdate : 0) |
         (prefs->GetDeleteSourceFile() ? kFacadeDeleteSource : 0);
}

uint32_t KestoFacade3::ExportOptionsFromDialog(const IKestoPrefs* prefs) const {
  if (!prefs) return 0;
  return (prefs->GetExportFragment() ? kFacadeExportFragment : 0) |
         (prefs->GetExportSeparateTags() ? kFacadeExportSeparateTags : 0) |
         (prefs->GetExportCompact() ? kFacadeExportCompact : 0);
}

ErrorCode RegisterKestoFacade(Registry& registry) {
  if (registry.IsImplementationRegistered(kKestoFacade3Impl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoFacade2>(kKestoFacade2Impl);
  if (error == kSuccess) error = registry.RegisterImplementation<KestoFacade3>(kKestoFacade3Impl);
  if (error == kSuccess) {
    error = registry.AddIn(kUtilsBoss,
                           {{IID_IKESTOFACADE, kKestoFacade2Impl}, {IID_IKESTOFACADE3, kKestoFacade3Impl}});
  }
  return error;
}

}  // namespace kesto
