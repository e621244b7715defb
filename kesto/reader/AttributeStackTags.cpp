// <&+> saves the current attributes and <&-> gives the newest saved ones back.
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/TagDispatcher.h"

namespace kesto {

namespace {

void PushTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&+");
  if (!scanner.PushAttributes()) scanner.SetError(kScanNoMemoryForStackPush);
}

// The definition mode stays: only the end of a text box gives it back.
void PopTag(KestoScanner& scanner, int32_t) {
  scanner.GetTagName().Set(u"&-");
  if (!scanner.PopAttributes(false)) scanner.SetError(kScanTooManyStackPops);
}

}  // namespace

void RegisterAttributeStackTags(TagDispatchTable& table) {
  table.RegisterExtension('+', &PushTag);
  table.RegisterExtension('-', &PopTag);
}

}  // namespace kesto
