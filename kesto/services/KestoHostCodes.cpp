// Host error codes of the engine's results.
#include "kesto/services/KestoHostCodes.h"

#include <string>

#include "kesto/reader/EngineMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/streams/FileSystemErrors.h"

namespace kesto {
namespace {

constexpr int32_t kEngineFirst = 10000;
// Engine messages take the low bytes below this one; file-system rows the ones from it up.
constexpr int32_t kFirstFileSystemByte = 238;
constexpr int32_t kHostCancel = 2;

int32_t FromLowByte(int32_t lowByte) {
  return kKestoHostCodeFirst | lowByte;
}

}  // namespace

int32_t HostErrorCode(int32_t result) {
  if (result == 0) return 0;
  if (result == kImportCancelled) return kHostCancel;
  int32_t message = result - kEngineFirst;
  if (message >= 0 && message < kFirstFileSystemByte) return FromLowByte(237 - message);
  if (int row = FileErrorRow(result); row > 0) return FromLowByte(255 - row);
  return kKestoHostCodeLast;
}

bool IsFileSystemCode(int32_t code) {
  int32_t lowByte = code & 0xFF;
  return code >= kKestoHostCodeFirst && code < kKestoHostCodeLast && lowByte >= kFirstFileSystemByte;
}

WideString HostErrorText(int32_t code) {
  if (code < kKestoHostCodeFirst || code > kKestoHostCodeLast) return {};
  int32_t lowByte = code & 0xFF;
  if (lowByte < kFirstFileSystemByte) return RenderEngineMessage(kEngineFirst + (237 - lowByte));
  int16_t fileCode = FileErrorAtRow(255 - lowByte);
  return WideFromUtf8(std::string(FileErrorMessage(fileCode)));
}

}  // namespace kesto
