// Running one import.
#include "kesto/services/KestoImportDriver.h"

#include <algorithm>
#include <memory>
#include <string>

#include "host/cmd/ErrorUtils.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/ImportSummary.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/ScannerErrors.h"
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

}  // namespace

KestoImportResult RunKestoImport(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db, UID story,
                                 int32_t position, uint32_t options) {
  KestoImportResult outcome;
  if (!agent || !db || !db->IsValidUID(story)) {
    outcome.result = kParamErr;
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
  auto scanner = std::make_unique<KestoScanner>();
  scanner->SetOptions(ScannerOptions(options));
  scanner->SetDocument(db);
  int32_t scanResult = 0;
  {
    KestoScannerAgent importAgent(&target, &source, options, scanner.get());
    scanResult = scanner->Scan(&source, &importAgent);
    outcome.errorCount = importAgent.GetErrorCount();
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
