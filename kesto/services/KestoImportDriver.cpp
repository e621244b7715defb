// Running one import.
#include "kesto/services/KestoImportDriver.h"

#include <algorithm>
#include <memory>
#include <string>

#include "host/app/HostTaggedTextEncoding.h"
#include "host/cmd/ErrorUtils.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/HostTagImportAgent.h"
#include "kesto/reader/HostTagScanner.h"
#include "kesto/reader/ImportSummary.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/services/HostTagDialect.h"
#include "kesto/services/PicturePrefetch.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

// Scanner option bits from the import options: tags are interpreted when style sheets are included.
uint32_t ScannerOptions(uint32_t importOptions) {
  uint32_t options = 0;
  if (importOptions & kImportIncludeStyleSheets) options |= CTaggedTextScanner::kInterpretTags;
  if (importOptions & kImportConvertQuotes) options |= CTaggedTextScanner::kConvertQuotes;
  return options;
}

// Whether what `agent` reads begins with an encoding header of the host's own dialect; the agent is left
// where it was.
bool ReadsHostDialect(VyStreamAgent* agent) {
  int64_t start = agent->Tell(VyStreamAgent::Area::kRead);
  agent->KeepFrom(start);
  uint8_t head[TextEncodings::kHeaderBytes];
  size_t count = 0;
  for (int byte = 0; count < sizeof(head) && (byte = agent->GetByte()) >= 0;)
    head[count++] = static_cast<uint8_t>(byte);
  bool host = HostTaggedTextEncoding::StartsWithHeader({head, count});
  return agent->Seek(start, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kRead) >= 0 && host;
}

// Scans `source` into `target` with `scanner` and an import agent of type Agent.
template <class Agent>
int32_t ScanInto(CTaggedTextScanner& scanner, KestoScanner* kestoScanner, XStory& target,
                 VyTextStream& source, uint32_t options, const ImportSetup& setup, int32_t& errorCount) {
  Agent importAgent(&target, &source, options, kestoScanner);
  if constexpr (requires { importAgent.SetChosenDownloads(setup.downloads); })
    importAgent.SetChosenDownloads(setup.downloads);
  HostTagDialect dialect;
  importAgent.SetHostTagDialect(&dialect);
  int32_t result = scanner.Scan(&source, &importAgent);
  errorCount = importAgent.GetErrorCount();
  return result;
}

}  // namespace

KestoImportResult RunKestoImport(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db, UID story,
                                 int32_t position, uint32_t options, const ImportSetup& setup) {
  KestoImportResult outcome;
  if (!agent || !db || !db->IsValidUID(story)) {
    outcome.result = kParamErr;
    return outcome;
  }
  bool hostDialect = setup.dialect == ImportDialect::kHost || ReadsHostDialect(agent);
  // The remote pictures are fetched together before any text goes in: a cancel leaves the story as it was.
  if (!hostDialect && !PrefetchPictures(agent, encoding, db, options, setup.downloads)) {
    outcome.result = kImportCancelled;
    return outcome;
  }
  VyTextStream source(agent, encoding, VyTextStream::kWindowsLineEnds);
  position = std::max(position, 0);
  XStory target(db, story, position, position);
  if (!target.IsValid()) {
    outcome.result = kParamErr;
    return outcome;
  }
  target.BeginImport();
  int32_t scanResult = 0;
  if (hostDialect) {
    // A host-dialect source is all tags and text: its tags are read whatever the style-sheet option says.
    HostTagScanner scanner;
    scanner.SetOptions(ScannerOptions(options) | CTaggedTextScanner::kInterpretTags);
    scanner.SetDocument(db);
    scanResult =
        ScanInto<HostTagImportAgent>(scanner, nullptr, target, source, options, setup, outcome.errorCount);
  } else {
    auto scanner = std::make_unique<KestoScanner>();
    scanner->SetOptions(ScannerOptions(options));
    scanner->SetDocument(db);
    scanResult = ScanInto<KestoScannerAgent>(*scanner, scanner.get(), target, source, options, setup,
                                             outcome.errorCount);
  }
  outcome.result = SummarizeImport(scanResult, &source, outcome.errorCount);
  // A failure of the storage is told by its own code rather than as a decoding problem.
  int16_t readError = agent->GetError();
  if (readError != 0 && (scanResult == 0 || scanResult == kIOErr)) outcome.result = readError;
  outcome.ranToEnd = scanResult == 0 && readError == 0;
  // Commands refused along the way have been dealt with; none of them may undo the import as it ends.
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  target.EndImport();
  return outcome;
}

WideString ImportResultMessage(int32_t result) {
  std::string text;
  if (result == 0) return {};
  if (result >= kFirstEngineCode) {
    if (!EngineMessageText(result).empty()) return RenderEngineMessage(result);
    text = "Kesto stopped with an unknown result";
  } else if (result == kImportCancelled) {
    text = "The import was cancelled";
  } else if (result == kScanInternalError) {
    text = "The story refused the imported text";
  } else if (result == kParamErr) {
    text = "No story to import into";
  } else {
    text = std::string(FileErrorMessage(static_cast<int16_t>(result)));
  }
  return WideFromUtf8(text + " [" + std::to_string(result) + "]");
}

}  // namespace kesto
