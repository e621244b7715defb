// KestoExportDriver: one whole export of a story range as Kesto tagged text: the text stream over a stream
// agent, the writer with its agent, a progress bar on long exports, and the closing of the destination.
#pragma once

#include <cstdint>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "kesto/streams/StreamEncoding.h"

namespace kesto {

class VyStreamAgent;

// What a cancel in the progress bar answers.
inline constexpr int32_t kExportCancelled = -128;

// The tag language written: Kesto's own, or the host's dialect.
enum class ExportDialect { kKesto, kHost };

struct KestoExportParams {
  UID story;
  // The story range; equal ends mean the whole story.
  int32_t start = 0;
  int32_t end = 0;
  StreamEncoding encoding = StreamEncoding::kUtf8;
  uint32_t options = 0;  // writer option bits (PutterOptions.h; kPutShortTagNames for the host dialect)
  // The host dialect's header line (unless fragment) is written here, ahead of the writer's text.
  ExportDialect dialect = ExportDialect::kKesto;
  // Start UTF-8, UTF-16 and UTF-32 output with a byte-order mark.
  bool byteOrderMark = true;
};

// Writes the range to `agent` (borrowed, positioned where the output goes; closed at the end). Answers 0,
// a file-system code of the destination, kExportCancelled, -50 for a story that is not one of `db`, or the
// writer's own error.
int32_t RunKestoExport(VyStreamAgent* agent, IDataBase* db, const KestoExportParams& params);

// The text for the user of an export result; empty for 0.
WideString ExportResultMessage(int32_t result);

}  // namespace kesto
