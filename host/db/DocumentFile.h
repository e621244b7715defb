// DocumentFile: a database saved to and read from one file (the layout is in DocumentFileFormat.h).
#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/db/DataBase.h"
#include "host/db/DocumentFileFormat.h"
#include "host/db/FileResult.h"

using DocumentFileResult = FileResult;

namespace DocumentFile {

inline constexpr uint32_t kFormatVersion = DocumentFileFormat::kVersion;

// Writes the database through a SafeFileWriter (see there: what `path` may be, and what a failed save
// leaves). Fails with kWriteFailedError or kOutOfMemoryError (also for a database holding stand-ins, see
// IDataBase::NewObject). Clears the database's modified flag on
// success.
DocumentFileResult Save(DataBase& db, const std::filesystem::path& path);

// Reads a saved database of this or an earlier format version. Fails with kFileNotFoundError,
// kNotADocumentError (no signature, not a regular file, a newer format version), kDamagedDocumentError (cut
// short, bytes after its end, a bad checksum, inconsistent records) or kOutOfMemoryError; messages start
// with the path. The signature is checked before anything else is read.
DocumentFileResult Open(const std::filesystem::path& path, std::unique_ptr<DataBase>& db);

// The same two on bytes in memory.
std::vector<uint8_t> Serialize(DataBase& db);
DocumentFileResult Deserialize(std::span<const uint8_t> bytes, std::unique_ptr<DataBase>& db);

}  // namespace DocumentFile
