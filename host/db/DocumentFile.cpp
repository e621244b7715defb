// Saving and reading documents.
#include "host/db/DocumentFile.h"

#include <cerrno>
#include <cstring>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/db/Crc32.h"
#include "host/db/FileStream.h"
#include "host/db/MemoryStream.h"
#include "host/db/SafeFileWriter.h"

namespace DocumentFile {
namespace {

constexpr uint8_t kSignature[8] = {'P', 'G', 'H', 'D', 'O', 'C', '\r', '\n'};
constexpr uint8_t kEndMark[8] = {'P', 'G', 'H', 'E', 'N', 'D', '\r', '\n'};
// Smallest possible file: header (8 + 4 * 5), end mark and checksum.
constexpr size_t kMinimumSize = 8 + 20 + 8 + 4;

DocumentFileResult Fail(ErrorCode error, std::string message) {
  return {error, std::move(message)};
}

void WriteObject(MemoryWriteStream& out, UID uid, Boss& boss) {
  std::vector<ImplementationData> data;
  for (CPMUnknownBase* impl : boss.GetLivePersistentImplementations()) {
    MemoryWriteStream bytes;
    impl->ReadWrite(&bytes, impl->GetImplementationID());
    data.push_back({impl->GetImplementationID(), bytes.TakeBytes()});
  }
  for (const auto& unknown : boss.UnknownData())
    data.push_back(unknown);
  uint32_t v = uid.Get();
  out.XferUInt32(v);
  v = boss.GetClass().Get();
  out.XferUInt32(v);
  v = static_cast<uint32_t>(data.size());
  out.XferUInt32(v);
  for (auto& d : data) {
    v = d.implementation.Get();
    out.XferUInt32(v);
    v = static_cast<uint32_t>(d.bytes.size());
    out.XferUInt32(v);
    out.XferBytes(d.bytes.data(), d.bytes.size());
  }
}

uint32_t ReadU32(MemoryReadStream& in) {
  uint32_t v = 0;
  in.XferUInt32(v);
  return v;
}

// Reads one object; a known persistent implementation reads its bytes, anything else is kept as it is.
DocumentFileResult ReadObject(MemoryReadStream& in, DataBase& db) {
  UID uid = ReadU32(in);
  ClassID cls = ReadU32(in);
  uint32_t count = ReadU32(in);
  if (!in.IsGood() || !uid.IsValid() || count > static_cast<uint64_t>(in.Remaining()) / 8) {
    return Fail(kDamagedDocumentError, "an object record is damaged");
  }
  Boss* boss = Boss::Create(cls);
  if (!boss) boss = Boss::CreateUnknown(cls);
  if (db.Adopt(uid, boss) != kSuccess) {
    boss->Release();
    return Fail(kDamagedDocumentError, "two objects have the UID " + std::to_string(uid.Get()));
  }
  for (uint32_t i = 0; i < count; ++i) {
    ImplementationID implementation = ReadU32(in);
    uint32_t size = ReadU32(in);
    if (!in.IsGood() || size > static_cast<uint64_t>(in.Remaining()))
      return Fail(kDamagedDocumentError, "object data is cut short");
    std::vector<uint8_t> copy(size);
    in.XferBytes(copy.data(), size);
    CPMUnknownBase* impl =
        Registry::Get().IsPersistent(implementation) && boss->HasImplementation(implementation)
            ? boss->GetImplementation(implementation)
            : nullptr;
    if (!impl) {
      boss->UnknownData().push_back({implementation, std::move(copy)});
      continue;
    }
    MemoryReadStream data(copy);
    impl->ReadWrite(&data, implementation);
    if (data.GetState() != IPMStream::State::kGood) {
      return Fail(kDamagedDocumentError, "the data of object " + std::to_string(uid.Get()) + " is damaged");
    }
  }
  return {};
}

}  // namespace

std::vector<uint8_t> Serialize(DataBase& db) {
  MemoryWriteStream out;
  out.XferBytes(const_cast<uint8_t*>(kSignature), sizeof(kSignature));
  uint32_t v = kFormatVersion;
  out.XferUInt32(v);
  v = 0;
  out.XferUInt32(v);
  v = db.GetNextUID().Get();
  out.XferUInt32(v);
  v = db.GetRootUID().Get();
  out.XferUInt32(v);
  std::vector<UID> uids = db.GetAllUIDs();
  v = static_cast<uint32_t>(uids.size());
  out.XferUInt32(v);
  for (UID uid : uids)
    WriteObject(out, uid, *db.GetBoss(uid));
  out.XferBytes(const_cast<uint8_t*>(kEndMark), sizeof(kEndMark));
  uint32_t crc = Crc32(out.Bytes());
  out.XferUInt32(crc);
  return out.TakeBytes();
}

DocumentFileResult Deserialize(std::span<const uint8_t> bytes, std::unique_ptr<DataBase>& result) {
  if (bytes.size() < sizeof(kSignature) || std::memcmp(bytes.data(), kSignature, sizeof(kSignature)) != 0) {
    return Fail(kNotADocumentError, "not a document");
  }
  if (bytes.size() < kMinimumSize) return Fail(kDamagedDocumentError, "the document is cut short");
  MemoryReadStream in(bytes.first(bytes.size() - 12));
  in.Seek(sizeof(kSignature), IPMStream::SeekFrom::kStart);
  uint32_t version = ReadU32(in);
  if (version > kFormatVersion) {
    return Fail(kNotADocumentError,
                "the document was saved in a newer format (version " + std::to_string(version) + ")");
  }
  const uint8_t* tail = bytes.data() + bytes.size() - 12;
  uint32_t storedCrc = tail[8] | tail[9] << 8 | tail[10] << 16 | static_cast<uint32_t>(tail[11]) << 24;
  if (std::memcmp(tail, kEndMark, sizeof(kEndMark)) != 0)
    return Fail(kDamagedDocumentError, "the document is cut short");
  if (Crc32(bytes.first(bytes.size() - 4)) != storedCrc)
    return Fail(kDamagedDocumentError, "the document is damaged (checksum mismatch)");
  ReadU32(in);  // flags
  uint32_t nextUID = ReadU32(in);
  UID root = ReadU32(in);
  uint32_t count = ReadU32(in);
  auto db = std::make_unique<DataBase>();
  for (uint32_t i = 0; i < count; ++i) {
    if (auto r = ReadObject(in, *db); r.error != kSuccess) return r;
  }
  if (!in.IsGood() || in.Remaining() != 0)
    return Fail(kDamagedDocumentError, "the document's object table is inconsistent");
  if (root.IsValid() && !db->IsValidUID(root))
    return Fail(kDamagedDocumentError, "the document has no root object");
  if (nextUID > db->GetNextUID().Get()) db->SetNextUID(nextUID);
  db->SetRootUID(root);
  db->DidLoad();
  db->SetModified(false);
  result = std::move(db);
  return {};
}

DocumentFileResult Save(DataBase& db, const std::filesystem::path& path) {
  std::unique_ptr<SafeFileWriter> writer;
  if (FileResult r = SafeFileWriter::Begin(path, writer); !r.ok()) return r;
  std::vector<uint8_t> bytes = Serialize(db);
  writer->Stream().XferBytes(bytes.data(), bytes.size());
  if (FileResult r = writer->Commit(); !r.ok()) return r;
  db.SetModified(false);
  return {};
}

DocumentFileResult Open(const std::filesystem::path& path, std::unique_ptr<DataBase>& db) {
  int error = 0;
  auto in = FileStream::Open(path, FileStream::Mode::kRead, error);
  if (!in) {
    return Fail(error == ENOENT ? kFileNotFoundError : kFailure, path.string() + ": " + std::strerror(error));
  }
  std::vector<uint8_t> bytes;
  uint8_t piece[65536];
  while (in->IsGood()) {
    size_t n = in->XferBytes(piece, sizeof(piece));
    bytes.insert(bytes.end(), piece, piece + n);
  }
  if (in->GetState() == IPMStream::State::kFailure) {
    return Fail(kFailure, path.string() + ": " + std::strerror(in->GetLastError()));
  }
  DocumentFileResult r = Deserialize(bytes, db);
  if (r.error != kSuccess) r.message = path.string() + ": " + r.message;
  return r;
}

}  // namespace DocumentFile
