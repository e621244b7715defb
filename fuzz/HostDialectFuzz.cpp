// Fuzzes the host's importer of its own tagged-text dialect into a real document story: any bytes, tags
// read or not, at the start or the end of the story. The import must answer success (a story in memory
// takes all text), keep the story's final paragraph return, and come back out with one undo.
//
// Input: byte 0 picks whether tags are read (bit 0) and where the text goes (bit 1: the story's end); the
// rest is the text.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/FuzzDocument.h"
#include "host/app/DefaultDocument.h"
#include "host/app/HostTaggedTextImport.h"
#include "host/text/ITextModel.h"

using fuzz_support::Check;

namespace {

IDataBase* Document() {
  return fuzz_support::Document([] {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  IDataBase* db = Document();
  UID story = DefaultDocument::GetMainStory(*db);
  auto model = Instantiate<ITextModel>(db, story);
  int32_t lengthBefore = model->TotalLength();
  HostTaggedTextOptions options;
  options.interpretTags = (data[0] & 1) != 0;
  int32_t at = (data[0] & 2) != 0 ? lengthBefore - 1 : 0;
  ErrorCode err = ImportHostTaggedText(db, story, at, std::span<const uint8_t>(data + 1, size - 1), options);
  Check(err == kSuccess);
  fuzz_support::CheckImportUndoes(db, *model, lengthBefore);
  return 0;
}
