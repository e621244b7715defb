// Saving and reading documents.
#include "host/db/DocumentFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "host/db/DocumentFileReader.h"
#include "host/db/DocumentFileWriter.h"
#include "host/db/FileStream.h"
#include "host/db/MemoryStream.h"
#include "host/db/SafeFileWriter.h"

namespace DocumentFile {

std::vector<uint8_t> Serialize(DataBase& db) {
  MemoryWriteStream out;
  (void)DocumentFileWriter::Write(db, out);
  return out.TakeBytes();
}

DocumentFileResult Deserialize(std::span<const uint8_t> bytes, std::unique_ptr<DataBase>& db) {
  MemoryReadStream in(bytes);
  return DocumentFileReader::Read(in, db);
}

DocumentFileResult Save(DataBase& db, const std::filesystem::path& path) {
  if (db.HoldsStandIns())
    return {kOutOfMemoryError, "cannot save " + path.string() + ": the document has run out of object IDs"};
  std::unique_ptr<SafeFileWriter> writer;
  if (FileResult r = SafeFileWriter::Begin(path, writer); !r.ok()) return r;
  try {
    // A failed write shows in the stream, which Commit reports with the system's reason.
    (void)DocumentFileWriter::Write(db, writer->Stream());
  } catch (const std::bad_alloc&) {
    return {kOutOfMemoryError, "cannot save " + path.string() + ": there is not enough memory"};
  }
  if (FileResult r = writer->Commit(); !r.ok()) return r;
  db.SetModified(false);
  return {};
}

DocumentFileResult Open(const std::filesystem::path& path, std::unique_ptr<DataBase>& db) {
  // Opening a FIFO for reading would wait for a writer.
  struct stat status = {};
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
    return {kNotADocumentError, path.string() + ": not a document (not a regular file)"};
  int error = 0;
  auto in = FileStream::Open(path, FileStream::Mode::kRead, error);
  if (!in) {
    return {error == ENOENT ? kFileNotFoundError : kFailure, path.string() + ": " + std::strerror(error)};
  }
  if (in->Remaining() < 0)
    return {kNotADocumentError, path.string() + ": not a document (not a regular file)"};
  DocumentFileResult r = DocumentFileReader::Read(*in, db);
  if (!r.ok() && in->GetState() == IPMStream::State::kFailure && in->GetLastError() != 0) {
    r = {kFailure, std::strerror(in->GetLastError())};
  }
  if (!r.ok()) r.message = path.string() + ": " + r.message;
  return r;
}

}  // namespace DocumentFile
