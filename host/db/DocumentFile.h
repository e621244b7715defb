// DocumentFile: a database saved to and read from one file.
//
// Layout (integers little-endian):
//   signature "PGHDOC\r\n" (8 bytes), format version (u32), flags (u32, 0)
//   next UID (u32), root UID (u32), object count (u32)
//   per object: UID (u32), class ID (u32), implementation count (u32),
//               per implementation: implementation ID (u32), byte count (u32), bytes
//   end mark "PGHEND\r\n" (8 bytes), CRC-32 of everything before it (u32)
// Implementations that no loaded plug-in provides are written back with the bytes they were read with.
#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "host/db/DataBase.h"
#include "host/db/FileResult.h"

using DocumentFileResult = FileResult;

namespace DocumentFile {

inline constexpr uint32_t kFormatVersion = 1;

// Writes the database through a SafeFileWriter (see there: what `path` may be, and what a failed save
// leaves). Fails with kWriteFailedError. Clears the database's modified flag on success.
DocumentFileResult Save(DataBase& db, const std::filesystem::path& path);

// Reads a saved database. Fails with kFileNotFoundError, kNotADocumentError (no signature, or a newer
// format version) or kDamagedDocumentError (cut short, bad checksum, inconsistent counts).
DocumentFileResult Open(const std::filesystem::path& path, std::unique_ptr<DataBase>& db);

// The same two on bytes in memory.
std::vector<uint8_t> Serialize(DataBase& db);
DocumentFileResult Deserialize(std::span<const uint8_t> bytes, std::unique_ptr<DataBase>& db);

}  // namespace DocumentFile
