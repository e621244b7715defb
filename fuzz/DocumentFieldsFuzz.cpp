// Fuzzes the fields of documents. Each mutation lands in one header field, one object's data or one shared
// value of a well-formed document file, which is then put together again with its sizes, table offset and
// checksum matching, so that every input reaches the objects' fields rather than the file's own checks.
// A document that passes every check opening makes must be sound to work on: it composes, takes a
// duplicated spread, a new text frame and inserted text, each undone again, and saves and opens again.
//
// Input: a document file (fuzz/corpus/DocumentFieldsFuzz holds saved documents).
#include <cstddef>
#include <cstdint>
#include <random>

#include "fuzz/DocumentImage.h"
#include "fuzz/FuzzDocument.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/cmd/ErrorUtils.h"
#include "host/compose/ComposeClasses.h"
#include "host/core/Registry.h"
#include "host/db/DocumentFile.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/KestoAttributes.h"
#include "sorvia/SorviaPlugIn.h"

using fuzz_support::Check;
using fuzz_support::DocumentImage;

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

// UIDs around the edges a header field can take.
constexpr uint32_t kEdgeValues[] = {0, 1, 2, kUIDLimit - 1, kUIDLimit, kUIDLimit + 1, 0xFFFFFFFE, 0xFFFFFFFF};

void MutateHeader(DocumentImage& image, std::minstd_rand& random) {
  uint32_t& field = image.fields[random() % 4];
  uint32_t highest = 0;
  for (const auto& object : image.objects)
    highest = std::max(highest, object.uid);
  switch (random() % 3) {
    case 0:
      field = kEdgeValues[random() % std::size(kEdgeValues)];
      break;
    case 1:
      field = highest + static_cast<uint32_t>(random() % 3);
      break;
    default:
      field ^= 1u << (random() % 32);
  }
}

// One block's bytes through libFuzzer's own mutations, at most doubled in size.
void MutateBlock(std::vector<uint8_t>& bytes) {
  size_t size = bytes.size();
  bytes.resize(size * 2 + 16);
  bytes.resize(LLVMFuzzerMutate(bytes.data(), size, bytes.size()));
}

void Edit(IDataBase* db, ErrorCode (*edit)(IDataBase*)) {
  if (edit(db) == kSuccess) Check(db->Undo() == kSuccess);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  (void)ComposeUtils::RunIdleStep(db);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

ErrorCode DuplicateFirstSpread(IDataBase* db) {
  return LayoutCmdUtils::Process(kDuplicateSpreadCmdBoss, db, {LayoutUtils::SpreadAt(db, 0)}, {});
}

ErrorCode NewFrame(IDataBase* db) {
  LayoutParams params;
  params.target = LayoutUtils::PageAt(db, 0);
  params.bounds = {10, 10, 200, 300};
  return LayoutCmdUtils::Process(kCreateTextFrameCmdBoss, db, {}, params);
}

ErrorCode InsertText(IDataBase* db) {
  return TextCmdUtils::InsertText({db, DefaultDocument::GetMainStory(*db)}, 0, u"Fuzz\rtext");
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  std::minstd_rand random(seed);
  std::optional<DocumentImage> image = DocumentImage::Parse({data, size});
  if (!image) return LLVMFuzzerMutate(data, size, maxSize);
  std::vector<std::vector<uint8_t>*> blocks = image->Blocks();
  if (blocks.empty() || random() % 8 == 0) {
    MutateHeader(*image, random);
  } else {
    MutateBlock(*blocks[random() % blocks.size()]);
  }
  std::vector<uint8_t> bytes = image->Serialize();
  if (bytes.size() > maxSize) return size;
  std::copy(bytes.begin(), bytes.end(), data);
  return bytes.size();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = [] {
    Check(Host::Initialize() == kSuccess);
    Check(kesto::RegisterKestoAttributes() == kSuccess);
    Check(sorvia::SorviaPlugIn().Register(Registry::Get()) == kSuccess);
    return true;
  }();
  (void)started;
  std::unique_ptr<DataBase> read;
  if (!DocumentFile::Deserialize({data, size}, read).ok()) return 0;
  if (!DocumentList::Get().CheckOpened(*read).ok()) return 0;
  DataBase* db = read.get();
  db->ClearUndo();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  (void)ComposeUtils::RunIdleStep(db);
  for (auto edit : {DuplicateFirstSpread, NewFrame, InsertText})
    Edit(db, edit);
  std::unique_ptr<DataBase> again;
  Check(DocumentFile::Deserialize(DocumentFile::Serialize(*db), again).ok());
  Check(DocumentList::Get().CheckOpened(*again).ok());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return 0;
}
