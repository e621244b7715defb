// Fetching an import's pictures together.
#include "kesto/services/PicturePrefetch.h"

#include <array>
#include <string_view>

#include "kesto/layout/ImportPicture.h"
#include "kesto/layout/VyCURLProgressBar.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/PictureURLCollector.h"
#include "kesto/streams/VyStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

// Whether the raw bytes from the read position on contain "://" in a one-byte or a two-byte encoding: a
// source without it names no remote picture and needs no first pass. The agent is left where it was.
bool MayNameURLs(VyStreamAgent* agent, int64_t start) {
  static constexpr std::array<std::string_view, 3> kMarks = {
      std::string_view("://"), std::string_view(":\0/\0/", 5), std::string_view("\0:\0/\0/", 6)};
  std::string window;
  char chunk[1 << 16];
  bool found = false;
  for (size_t got = 0; !found && (got = agent->Read(chunk, sizeof chunk)) > 0;) {
    window.append(chunk, got);
    for (std::string_view mark : kMarks)
      found = found || window.find(mark) != std::string::npos;
    window.erase(0, window.size() > 5 ? window.size() - 5 : 0);  // a mark may straddle two chunks
  }
  return agent->Seek(start, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kRead) >= 0 && found;
}

// The remote pictures the source names, in text order; the agent is left where it was.
std::vector<std::string> RemotePictures(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db,
                                        uint32_t options, int64_t start) {
  PictureURLCollector collector;
  {
    VyTextStream source(agent, encoding, VyTextStream::kWindowsLineEnds);
    KestoScanner scanner;
    if (options & kImportIncludeStyleSheets) scanner.SetOptions(CTaggedTextScanner::kInterpretTags);
    scanner.SetDocument(db);
    (void)scanner.Scan(&source, &collector);  // a first pass: its reports are the import's to make
  }
  if (agent->Seek(start, VyStreamAgent::SeekOrigin::kStart, VyStreamAgent::Area::kRead) < 0) return {};
  return collector.URLs();
}

}  // namespace

bool PrefetchPictures(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db, uint32_t options,
                      const std::filesystem::path& downloads) {
  if (!agent || !agent->CanReadAgain()) return true;
  int64_t start = agent->Tell(VyStreamAgent::Area::kRead);
  if (start < 0 || !MayNameURLs(agent, start)) return true;
  std::vector<std::string> urls = RemotePictures(agent, encoding, db, options, start);
  if (urls.size() < 2) return true;  // one picture is fetched as well when the import reaches it
  FetchOptions fetch = FetchOptionsOf(PictureSettingsFor(db, downloads));
  VyCURLProgressBar bar("Fetching " + std::to_string(urls.size()) + " pictures...");
  return PlugInFetcher().Prefetch(urls, bar.Showing(fetch, urls.size()));
}

}  // namespace kesto
