// Fuzzes opening a document: any bytes read as a document file, checked and completed as every open does,
// and, when they pass, read the way inspect reads a document. Nothing may crash or allocate beyond what the
// bytes can hold; a document that opens must be sound (its stories pass their own checks) and must save and
// open again.
//
// Input: the bytes of the file. When they end in an end mark and a checksum, the checksum is made to match,
// so that damage reaches the checks behind it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "fuzz/FuzzDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/db/Crc32.h"
#include "host/db/DocumentFile.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "kesto/model/KestoAttributes.h"

using fuzz_support::Check;

namespace {

void StartHost() {
  static const bool started = [] {
    Check(Host::Initialize() == kSuccess);
    Check(kesto::RegisterKestoAttributes() == kSuccess);
    return true;
  }();
  (void)started;
}

// What inspect asks of a story: its text, its paragraphs and both strands of runs with their overrides.
void ReadStory(const ITextModel& story) {
  int32_t length = story.TotalLength();
  Check(length > 0 && story.GetChar(length - 1) == u'\r');
  Check(static_cast<int32_t>(story.GetText(0, length).size()) == length);
  Check(story.CountParagraphs() > 0);
  for (TextStrand strand : {TextStrand::kParagraph, TextStrand::kCharacter}) {
    int32_t covered = 0;
    story.VisitRuns(strand, 0, length, [&](const TextRun& run) {
      Check(run.start == covered && run.end > run.start && run.overrides);
      (void)run.overrides->ToJson();
      covered = run.end;
      return true;
    });
    Check(covered == length);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartHost();
  std::vector<uint8_t> bytes(data, data + size);
  constexpr size_t kTrailer = DocumentFileFormat::kTrailerSize;
  if (size >= kTrailer && std::memcmp(data + size - kTrailer, DocumentFileFormat::kEndMark, 8) == 0) {
    uint32_t crc = Crc32(std::span<const uint8_t>(bytes).first(size - 4));
    for (int i = 0; i < 4; ++i)
      bytes[size - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
  }
  std::unique_ptr<DataBase> db;
  if (!DocumentFile::Deserialize(bytes, db).ok()) return 0;
  if (!DocumentList::Get().CheckOpened(*db).ok()) return 0;
  auto stories = Instantiate<IStoryList>(db.get(), db->GetRootUID());
  for (int32_t i = 0; i < stories->CountStories(); ++i) {
    auto story = Instantiate<ITextModel>(db.get(), stories->GetNthStory(i));
    Check(story && story->Check().empty());
    ReadStory(*story);
  }
  std::vector<uint8_t> saved = DocumentFile::Serialize(*db);
  std::unique_ptr<DataBase> again;
  Check(DocumentFile::Deserialize(saved, again).ok());
  Check(DocumentList::Get().CheckOpened(*again).ok());
  return 0;
}
