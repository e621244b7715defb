// Writing document files.
#include "host/db/DocumentFileWriter.h"

#include "host/core/CPMUnknown.h"
#include "host/db/ChecksumStream.h"
#include "host/db/Crc32.h"
#include "host/db/DocumentFileFormat.h"
#include "host/db/MemoryStream.h"
#include "host/db/SharedValueTable.h"

namespace DocumentFileWriter {
namespace {

using namespace DocumentFileFormat;

void Put32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutRecord(IPMStream& out, std::initializer_list<uint32_t> values) {
  uint8_t record[16];
  size_t size = 0;
  for (uint32_t v : values) {
    Put32(record + size, v);
    size += 4;
  }
  out.XferBytes(record, size);
}

void Header(DataBase& db, uint32_t objectCount, uint64_t tableOffset, uint8_t (&header)[kHeaderSize]) {
  std::copy(std::begin(kSignature), std::end(kSignature), header);
  uint32_t fields[] = {kVersion, 0, db.GetNextUID().Get(), db.GetRootUID().Get(), objectCount};
  for (size_t i = 0; i < std::size(fields); ++i)
    Put32(header + 8 + 4 * i, fields[i]);
  Put32(header + kHeaderSizeVersion1, static_cast<uint32_t>(tableOffset));
  Put32(header + kHeaderSizeVersion1 + 4, static_cast<uint32_t>(tableOffset >> 32));
}

// Each implementation's bytes go through `scratch` first, since the file gives their count before them.
void WriteObject(IPMStream& out, UID uid, const Boss& boss, MemoryWriteStream& scratch) {
  std::vector<CPMUnknownBase*> implementations = boss.GetLivePersistentImplementations();
  const std::vector<ImplementationData>& unknown = boss.UnknownData();
  PutRecord(out, {uid.Get(), boss.GetClass().Get(),
                  static_cast<uint32_t>(implementations.size() + unknown.size())});
  for (CPMUnknownBase* impl : implementations) {
    scratch.Clear();
    impl->ReadWrite(&scratch, impl->GetImplementationID());
    const std::vector<uint8_t>& bytes = scratch.Bytes();
    PutRecord(out, {impl->GetImplementationID().Get(), static_cast<uint32_t>(bytes.size())});
    out.XferBytes(const_cast<uint8_t*>(bytes.data()), bytes.size());
  }
  for (const ImplementationData& data : unknown) {
    PutRecord(out, {data.implementation.Get(), static_cast<uint32_t>(data.bytes.size())});
    out.XferBytes(const_cast<uint8_t*>(data.bytes.data()), data.bytes.size());
  }
}

}  // namespace

bool Write(DataBase& db, IPMStream& out) {
  int64_t start = out.Tell();
  std::vector<UID> uids = db.GetAllUIDs();
  uint8_t header[kHeaderSize];
  Header(db, static_cast<uint32_t>(uids.size()), 0, header);
  out.XferBytes(header, sizeof(header));

  SharedValueTable table;
  ChecksumStream rest(out);
  MemoryWriteStream scratch;
  scratch.SetSharedValues(&table);
  for (UID uid : uids)
    WriteObject(rest, uid, *db.GetBoss(uid), scratch);
  auto tableOffset = static_cast<uint64_t>(out.Tell() - start);
  table.Write(rest);
  rest.XferBytes(const_cast<uint8_t*>(kEndMark), sizeof(kEndMark));
  if (!out.IsGood()) return false;

  int64_t end = out.Tell();
  Header(db, static_cast<uint32_t>(uids.size()), tableOffset, header);
  if (out.Seek(start, IPMStream::SeekFrom::kStart) < 0) return false;
  out.XferBytes(header, sizeof(header));
  if (out.Seek(end, IPMStream::SeekFrom::kStart) < 0) return false;
  uint32_t crc = Crc32Combine(Crc32(header), rest.Checksum(), rest.Length());
  out.XferUInt32(crc);
  return out.IsGood();
}

}  // namespace DocumentFileWriter
