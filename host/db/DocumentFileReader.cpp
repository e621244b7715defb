// Reading document files.
#include "host/db/DocumentFileReader.h"

#include <cstring>
#include <new>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/db/ChecksumStream.h"
#include "host/db/Crc32.h"
#include "host/db/DocumentFileFormat.h"
#include "host/db/MemoryStream.h"
#include "host/db/SharedValueTable.h"

namespace DocumentFileReader {
namespace {

using namespace DocumentFileFormat;

FileResult Damaged(std::string what) {
  return {kDamagedDocumentError, std::move(what)};
}

FileResult CutShort() {
  return Damaged("the document is cut short");
}

uint32_t Get32(const uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// Releases an object that never made it into the database.
struct BossReleaser {
  void operator()(Boss* boss) const { boss->Release(); }
};

class Reader {
 public:
  explicit Reader(IPMStream& in) : in_(in), start_(in.Tell()), checked_(in) {}

  FileResult Read(std::unique_ptr<DataBase>& result) {
    if (FileResult r = ReadHeader(); !r.ok()) return r;
    if (HasTable()) {
      if (FileResult r = ReadTable(); !r.ok()) return r;
    }
    auto db = std::make_unique<DataBase>();
    if (FileResult r = ReadObjects(*db); !r.ok()) return r;
    if (!HasTable()) {
      if (FileResult r = ReadTrailer(); !r.ok()) return r;
    }
    if (FileResult r = CheckChecksum(); !r.ok()) return r;
    if (root_.IsValid() && !db->IsValidUID(root_)) return Damaged("the document has no root object");
    db->SetNextUID(nextUID_);
    db->SetRootUID(root_);
    db->DidLoad();
    db->SetModified(false);
    result = std::move(db);
    return {};
  }

 private:
  bool HasTable() const { return version_ > kVersionWithoutSharedValues; }

  bool Take(uint8_t* bytes, size_t count) {
    if (in_.Remaining() < static_cast<int64_t>(count)) return false;
    return checked_.XferBytes(bytes, count) == count;
  }

  FileResult ReadHeader() {
    uint8_t header[kHeaderSize];
    if (!Take(header, sizeof(kSignature)) || std::memcmp(header, kSignature, sizeof(kSignature)) != 0)
      return {kNotADocumentError, "not a document"};
    if (!Take(header + 8, 4)) return CutShort();
    version_ = Get32(header + 8);
    if (version_ > kVersion) {
      return {kNotADocumentError,
              "the document was saved in a newer format (version " + std::to_string(version_) + ")"};
    }
    if (version_ == 0) return Damaged("the document names no format version");
    size_t size = HasTable() ? kHeaderSize : kHeaderSizeVersion1;
    if (!Take(header + 12, size - 12)) return CutShort();
    uint32_t flags = Get32(header + 12);
    nextUID_ = Get32(header + 16);
    root_ = Get32(header + 20);
    objectCount_ = Get32(header + 24);
    if (HasTable()) tableOffset_ = Get32(header + 28) | uint64_t{Get32(header + 32)} << 32;
    headerCrc_ = checked_.Checksum();
    checked_.Restart();
    return CheckHeader(flags);
  }

  // Every object's UID, the root's among them, lies below the next UID, and that at most at the limit, so
  // that objects made after opening never take a UID that is in use or wrap around.
  FileResult CheckHeader(uint32_t flags) const {
    if (flags != 0) return Damaged("the document's header has unknown flags (" + std::to_string(flags) + ")");
    if (nextUID_ == 0 || nextUID_ > kUIDLimit)
      return Damaged("the document's next UID (" + std::to_string(nextUID_) + ") is out of range");
    if (root_.Get() >= nextUID_) return Damaged("the document's root UID is not below its next UID");
    return {};
  }

  // Version 2: the table, end mark and checksum after the objects are read first, so that the objects'
  // bytes can name the table's values as they are read.
  FileResult ReadTable() {
    int64_t objectsStart = in_.Tell();
    auto headerSize = static_cast<uint64_t>(objectsStart - start_);
    if (tableOffset_ < headerSize) return Damaged("the document's header is damaged");
    if (tableOffset_ - headerSize > static_cast<uint64_t>(in_.Remaining())) return CutShort();
    if (in_.Seek(start_ + static_cast<int64_t>(tableOffset_), IPMStream::SeekFrom::kStart) < 0)
      return Damaged("the document's table of shared values cannot be reached");
    if (!table_.Read(checked_)) {
      return in_.Remaining() == 0 ? CutShort() : Damaged("the document's table of shared values is damaged");
    }
    if (FileResult r = ReadTrailer(); !r.ok()) return r;
    tailCrc_ = checked_.Checksum();
    tailLength_ = checked_.Length();
    checked_.Restart();
    if (in_.Seek(objectsStart, IPMStream::SeekFrom::kStart) < 0) return CutShort();
    shared_ = &table_;
    return {};
  }

  FileResult ReadTrailer() {
    uint8_t mark[sizeof(kEndMark)];
    uint8_t crc[4];
    if (!Take(mark, sizeof(mark))) return CutShort();
    if (std::memcmp(mark, kEndMark, sizeof(kEndMark)) != 0)
      return Damaged("the document's object table is inconsistent (no end mark after it)");
    if (in_.Remaining() < 4 || in_.XferBytes(crc, 4) != 4) return CutShort();
    storedCrc_ = Get32(crc);
    trailing_ = in_.Remaining();
    return {};
  }

  FileResult CheckChecksum() {
    uint32_t crc = Crc32Combine(headerCrc_, checked_.Checksum(), checked_.Length());
    if (HasTable()) crc = Crc32Combine(crc, tailCrc_, tailLength_);
    if (crc != storedCrc_) return Damaged("the document is damaged (checksum mismatch)");
    if (trailing_ > 0) {
      return Damaged("the document has " + std::to_string(trailing_) + " bytes after its end mark");
    }
    return {};
  }

  FileResult ReadObjects(DataBase& db) {
    if (objectCount_ > static_cast<uint64_t>(in_.Remaining()) / kObjectHeaderSize) return CutShort();
    for (uint32_t i = 0; i < objectCount_; ++i) {
      if (FileResult r = ReadObject(db); !r.ok()) return r;
    }
    if (HasTable() && static_cast<uint64_t>(in_.Tell() - start_) != tableOffset_)
      return Damaged("the document's object table is inconsistent");
    return {};
  }

  // A known persistent implementation reads its bytes; anything else is kept as it is.
  FileResult ReadObject(DataBase& db) {
    uint8_t header[kObjectHeaderSize];
    if (!Take(header, sizeof(header))) return CutShort();
    UID uid = Get32(header);
    ClassID cls = Get32(header + 4);
    uint32_t count = Get32(header + 8);
    if (!uid.IsValid() || count > static_cast<uint64_t>(in_.Remaining()) / kImplementationHeaderSize)
      return Damaged("an object record is damaged");
    if (uid.Get() >= nextUID_)
      return Damaged("object " + std::to_string(uid.Get()) +
                     " has a UID at or above the document's next UID");
    std::unique_ptr<Boss, BossReleaser> made(Boss::Create(cls));
    if (!made) made.reset(Boss::CreateUnknown(cls));
    if (db.Adopt(uid, made.get()) != kSuccess)
      return Damaged("two objects have the UID " + std::to_string(uid.Get()));
    Boss* boss = made.release();
    for (uint32_t i = 0; i < count; ++i) {
      if (FileResult r = ReadImplementation(*boss); !r.ok()) return r;
    }
    return {};
  }

  FileResult ReadImplementation(Boss& boss) {
    uint8_t header[kImplementationHeaderSize];
    if (!Take(header, sizeof(header))) return CutShort();
    ImplementationID implementation = Get32(header);
    uint32_t size = Get32(header + 4);
    if (size > static_cast<uint64_t>(in_.Remaining())) return CutShort();
    CPMUnknownBase* impl =
        Registry::Get().IsPersistent(implementation) && boss.HasImplementation(implementation)
            ? boss.GetImplementation(implementation)
            : nullptr;
    if (!impl) {
      std::vector<uint8_t> kept(size);
      if (!Take(kept.data(), size)) return CutShort();
      boss.UnknownData().push_back({implementation, std::move(kept)});
      return {};
    }
    scratch_.resize(size);
    if (!Take(scratch_.data(), size)) return CutShort();
    MemoryReadStream data(scratch_);
    data.SetSharedValues(shared_);
    data.SetFormatVersion(version_);
    impl->ReadWrite(&data, implementation);
    if (data.GetState() == IPMStream::State::kGood && data.Remaining() > 0)
      data.MarkDamaged(std::to_string(data.Remaining()) + " bytes follow its data");
    if (data.GetState() != IPMStream::State::kGood) {
      std::string what = "the data of object " + std::to_string(boss.GetUID().Get()) + " is damaged";
      return Damaged(data.GetDamage().empty() ? what : what + ": " + data.GetDamage());
    }
    return {};
  }

  IPMStream& in_;
  int64_t start_;
  ChecksumStream checked_;
  uint32_t version_ = 0;
  uint32_t nextUID_ = 0;
  UID root_;
  uint32_t objectCount_ = 0;
  uint64_t tableOffset_ = 0;
  uint32_t headerCrc_ = 0;
  uint32_t tailCrc_ = 0;  // version 2: the table and end mark
  uint64_t tailLength_ = 0;
  uint32_t storedCrc_ = 0;
  int64_t trailing_ = 0;
  SharedValueTable table_;
  ISharedValues* shared_ = nullptr;
  std::vector<uint8_t> scratch_;  // one implementation's bytes
};

}  // namespace

FileResult Read(IPMStream& in, std::unique_ptr<DataBase>& db) {
  try {
    return Reader(in).Read(db);
  } catch (const std::bad_alloc&) {
    return {kOutOfMemoryError, "there is not enough memory to open the document"};
  }
}

}  // namespace DocumentFileReader
