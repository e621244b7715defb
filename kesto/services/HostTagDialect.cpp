// Scanning and writing embedded host tagged text.
#include "kesto/services/HostTagDialect.h"

#include "kesto/reader/HostTagScanner.h"
#include "kesto/reader/HostTagScannerAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "kesto/writer/HostTagPutter.h"
#include "kesto/writer/HostTagPutterAgent.h"

namespace kesto {

HostTagFacts HostTagDialect::Scan(IDataBase* db, std::u16string_view passage) {
  VyMemoryStreamAgent source(passage.data(), passage.size() * sizeof(char16_t), StreamEncoding::kUtf16LE);
  VyTextStream stream(&source, StreamEncoding::kUtf16LE, VyTextStream::kLineEndsAsIs);
  HostTagScanner scanner;
  scanner.SetDocument(db);
  HostTagScannerAgent agent;
  // What was read before an error is what the passage is known to hold.
  (void)scanner.Scan(&stream, &agent);
  return {agent.HasParagraphTag(), agent.HasTextFirst(), agent.HasAttributeTag()};
}

WideString HostTagDialect::AttributesAt(const VyBaseStory& story, int32_t index) {
  HostTagPutter putter;
  putter.SetOptions(kPutFragment | kPutNoText);
  putter.SetEncoding(StreamEncoding::kUtf16LE);
  WideString tags;
  HostTagPutterAgent agent(&tags);
  if (putter.PutStory(story, index, index + 1, &agent) != 0) return {};
  return tags;
}

}  // namespace kesto
