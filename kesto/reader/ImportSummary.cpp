// The final summary of an import.
#include "kesto/reader/ImportSummary.h"

#include <string>

#include "kesto/reader/EngineMessages.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {

namespace {

WideString Decimal(int32_t value) {
  WideString text;
  for (char c : std::to_string(value))
    text += static_cast<char16_t>(c);
  return text;
}

}  // namespace

int32_t SummarizeImport(int32_t scanResult, const VyTextStream* source, int32_t errorCount) {
  int32_t result = scanResult;
  int32_t replaced = source ? source->GetReplacedCount() : 0;
  if (source && source->IsBad()) {
    result = kEngineInvalidUtf8;
  } else if (result == 0 && replaced != 0) {
    result = replaced == 1 ? kEngineOneReplacedCharacter : kEngineReplacedCharacters;
    SetEngineMessageParameters({Decimal(replaced)});
  }
  if (errorCount > 0 && result == 0) {
    result = errorCount == 1 ? kEngineOneError : kEngineErrors;
    SetEngineMessageParameters({Decimal(errorCount)});
  }
  return result;
}

}  // namespace kesto
