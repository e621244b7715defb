// Fuzzes a whole import into a real document story: any bytes, any encoding, any import options. The
// import must end, answer a result an import may answer, leave the story with its final paragraph return,
// and take back everything with one undo.
//
// Input: byte 0 picks the import options (low four bits: convert quotes, style sheets, reports, no screen
// update) and the encoding (high bits, modulo 9); the rest is the source.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzDocument.h"
#include "host/app/DefaultDocument.h"
#include "host/text/ITextModel.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"

using namespace kesto;

using fuzz_support::Check;

namespace {

IDataBase* Document() {
  return fuzz_support::Document([] {
    Check(RegisterKestoMessageLists() == kSuccess);
    Check(RegisterKestoAttributes() == kSuccess);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  IDataBase* db = Document();
  UID story = DefaultDocument::GetMainStory(*db);
  auto model = Instantiate<ITextModel>(db, story);
  int32_t lengthBefore = model->TotalLength();
  uint32_t options = data[0] & 0xF;
  auto encoding = static_cast<StreamEncoding>((data[0] >> 4) % 9);
  VyMemoryStreamAgent bytes(data + 1, size - 1, encoding);
  KestoImportResult result = RunKestoImport(&bytes, encoding, db, story, 0, options);
  // Memory never fails to read, nobody cancels and the story takes all text: the scan reaches the end,
  // unless a translation table file it names is missing, which ends the import.
  Check(result.ranToEnd || result.result == kEngineTranslationFileMissing);
  Check(result.result == 0 || (result.result >= 10003 && result.result <= 10023));
  fuzz_support::CheckImportUndoes(db, *model, lengthBefore);
  return 0;
}
