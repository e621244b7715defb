// DocumentFileWriter: writes a database in the current document file format (DocumentFileFormat.h) to a
// stream, object by object, with no copy of the whole file in memory.
#pragma once

#include "host/db/DataBase.h"
#include "host/db/IPMStream.h"

namespace DocumentFileWriter {

// Writes `db` to `out` from its current position, which must be the start of the file (the header is
// filled in at the end). Answers false when `out` failed (its state and errors tell why); `out` must be
// able to seek back.
bool Write(DataBase& db, IPMStream& out);

}  // namespace DocumentFileWriter
