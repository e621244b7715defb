// KestoImportDriver: one whole import of Kesto text into a story: the character source over a stream
// agent, the target story as one undo step, the scanner with its import agent, and the final summary.
#pragma once

#include <cstdint>
#include <filesystem>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"
#include "kesto/streams/StreamEncoding.h"

namespace kesto {

class VyStreamAgent;

// What an import hands back besides the story it filled.
struct KestoImportResult {
  // 0; an engine code (10003 and 10004 for a finished import that left reports); kImportCancelled; 28 when
  // the story refused text; a file-system code when the source could not be read; -50 for bad parameters.
  int32_t result = 0;
  // The scan read its source to the end (with or without reports and replaced characters).
  bool ranToEnd = false;
  int32_t errorCount = 0;
};

// What a source is read as.
enum class ImportDialect : uint8_t {
  kKesto,  // Kesto text, unless it begins with an encoding header of the host's dialect ("<ASCII-WIN>")
  kHost,   // the host's dialect, header or not
};

// How one import reads its source and where it keeps what it fetches.
struct ImportSetup {
  ImportDialect dialect = ImportDialect::kKesto;
  // The folder pictures named by URL are downloaded into; empty: the folder the preferences name beside the
  // saved document, else the user's downloads folder.
  std::filesystem::path downloads;
};

// Imports what `agent` reads (borrowed; positioned at the start) with `encoding` (kUnspecified: detect)
// as `setup` says into the story `story` of `db`, in front of text index `position` (clamped to the story),
// with the import option bits of KestoScannerAgent.h. The whole import is one undo step; a cancel keeps what
// came before. The source is read once, in order: a pipe is read as it comes.
KestoImportResult RunKestoImport(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db, UID story,
                                 int32_t position, uint32_t options, const ImportSetup& setup = {});

// The text for the user of an import result: the rendered engine message (with this thread's parameters)
// or a file-system message, followed by the code in brackets; empty for 0.
WideString ImportResultMessage(int32_t result);

}  // namespace kesto
