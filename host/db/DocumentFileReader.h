// DocumentFileReader: reads a database from a document file of any format version this host knows
// (DocumentFileFormat.h), streaming: nothing is held in memory but the objects made and one
// implementation's bytes at a time. Every count and size the file gives is checked against what the file
// can hold before anything is allocated for it.
#pragma once

#include <memory>

#include "host/db/DataBase.h"
#include "host/db/FileResult.h"
#include "host/db/IPMStream.h"

namespace DocumentFileReader {

// Reads the file `in` holds from its start; `in` must be able to tell what remains and to seek. Fails with
// kNotADocumentError (no signature, a newer format), kDamagedDocumentError (cut short, bytes after the end
// mark, a bad checksum, inconsistent records) or kOutOfMemoryError; `db` is left as it was then.
FileResult Read(IPMStream& in, std::unique_ptr<DataBase>& db);

}  // namespace DocumentFileReader
