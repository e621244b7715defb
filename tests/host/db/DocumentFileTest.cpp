// Saving and reading documents: round trips, data of absent plug-ins, damaged files and what each is told,
// files of the earlier format version, and override lists stored once per document.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <new>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/db/DocumentFile.h"
#include "host/text/AttributeClasses.h"
#include "host/text/CharRunChunk.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SameStyledText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

class DocumentFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureHost();
    first_ = NewRecord(&db_, 42, u"caf\u00E9 \U0001F600");
    second_ = NewRecord(&db_, -7, u"");
    db_.SetRootUID(first_);
  }
  TempFolder dir_{"docfile"};
  DataBase db_;
  UID first_, second_;
};

TEST_F(DocumentFileTest, SaveThenOpenGivesTheSameContent) {
  auto path = dir_ / "doc.pgd";
  ASSERT_EQ(DocumentFile::Save(db_, path).error, kSuccess);
  EXPECT_FALSE(db_.IsModified());
  std::unique_ptr<DataBase> read;
  ASSERT_EQ(DocumentFile::Open(path, read).error, kSuccess);
  EXPECT_EQ(read->GetAllUIDs(), db_.GetAllUIDs());
  EXPECT_EQ(read->GetRootUID(), first_);
  auto record = Instantiate<ITestRecord>(read.get(), first_);
  EXPECT_EQ(record->GetNumber(), 42);
  EXPECT_EQ(record->GetText(), u"caf\u00E9 \U0001F600");
  EXPECT_EQ(NumberOf(read.get(), second_), -7);
  EXPECT_EQ(DocumentFile::Serialize(*read), ReadBytes(path));
  // New objects never reuse a UID of the file.
  EXPECT_GT(read->NewObject(kTestRecordBoss).Get(), second_.Get());
}

TEST_F(DocumentFileTest, DataOfAbsentPlugInsSurvivesOpenAndSaveByteForByte) {
  // An object of a class no plug-in defines, and a known object carrying data of an absent add-in.
  Boss* stranger = Boss::CreateUnknown(0x7D0001);
  stranger->UnknownData().push_back({0x7D0002, {1, 2, 3, 0, 255}});
  ASSERT_EQ(db_.Adopt(0x50, stranger), kSuccess);
  db_.GetBoss(first_)->UnknownData().push_back({0x7D0003, {9, 8, 7}});
  std::vector<uint8_t> saved = DocumentFile::Serialize(db_);

  std::unique_ptr<DataBase> read;
  ASSERT_EQ(DocumentFile::Deserialize(saved, read).error, kSuccess);
  EXPECT_EQ(read->GetClass(0x50), ClassID(0x7D0001));
  EXPECT_EQ(read->GetBoss(0x50)->UnknownData(), stranger->UnknownData());
  EXPECT_EQ(DocumentFile::Serialize(*read), saved);
}

TEST_F(DocumentFileTest, BadFilesGiveClearErrorsAndNeverCrash) {
  std::vector<uint8_t> good = DocumentFile::Serialize(db_);
  std::unique_ptr<DataBase> read;
  EXPECT_EQ(DocumentFile::Deserialize(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}, read).error,
            kNotADocumentError);
  EXPECT_EQ(DocumentFile::Deserialize({}, read).error, kNotADocumentError);
  for (size_t cut : {size_t{8}, size_t{20}, good.size() / 2, good.size() - 1}) {
    SCOPED_TRACE(cut);
    std::vector<uint8_t> shorter(good.begin(), good.begin() + cut);
    EXPECT_EQ(DocumentFile::Deserialize(shorter, read).error, kDamagedDocumentError);
  }
  for (size_t at = 8; at < good.size(); at += 3) {
    SCOPED_TRACE(at);
    std::vector<uint8_t> damaged = good;
    damaged[at] ^= 0x5A;
    ErrorCode error = DocumentFile::Deserialize(damaged, read).error;
    EXPECT_TRUE(error == kDamagedDocumentError || error == kNotADocumentError) << error;
  }
  std::vector<uint8_t> newer = good;
  newer[8] = 99;
  EXPECT_EQ(DocumentFile::Deserialize(newer, read).error, kNotADocumentError);
  EXPECT_EQ(read, nullptr);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Each damage is told for what it is, and no field of the file makes the reader allocate more than the file
// could hold.
TEST_F(DocumentFileTest, DamagesAreToldApartAndFieldsCannotDriveAllocations) {
  const std::vector<uint8_t> good = DocumentFile::Serialize(db_);
  const size_t tableOffset = good[28] | good[29] << 8 | good[30] << 16;
  // Offsets in the header of version 2, and of the first object's first implementation after it.
  constexpr size_t kObjectCount = 24, kTableOffset = 28, kFirstImplementationSize = 36 + 16;
  const struct {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    const char* told;
  } rows[] = {
      {"bytes after the end mark",
       [](auto& b) {
         b.insert(b.end(), {'j', 'u', 'n', 'k'});
       },
       "the document has 4 bytes after its end mark"},
      {"cut inside the objects", [](auto& b) { b.resize(b.size() / 2); }, "the document is cut short"},
      {"cut inside the checksum", [](auto& b) { b.pop_back(); }, "the document is cut short"},
      {"a changed byte", [](auto& b) { b[kFirstImplementationSize + 6] ^= 1; }, "checksum mismatch"},
      {"an object count beyond the file", [](auto& b) { Put32(b, kObjectCount, 0xFFFFFFFF); }, "cut short"},
      {"a table offset beyond the file", [](auto& b) { Put32(b, kTableOffset + 4, 1); }, "cut short"},
      {"a table offset inside the header", [](auto& b) { Put32(b, kTableOffset, 4); }, "header is damaged"},
      {"an implementation size beyond the file",
       [](auto& b) { Put32(b, kFirstImplementationSize, 0x7FFFFFFF); }, "cut short"},
      {"a table count beyond the file", [&](auto& b) { Put32(b, tableOffset, 0xFFFFFFF0); },
       "table of shared values is damaged"},
      {"no format version", [](auto& b) { Put32(b, 8, 0); }, "names no format version"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<uint8_t> bytes = good;
    row.damage(bytes);
    std::unique_ptr<DataBase> read;
    DocumentFileResult r = DocumentFile::Deserialize(bytes, read);
    EXPECT_EQ(r.error, kDamagedDocumentError);
    EXPECT_NE(r.message.find(row.told), std::string::npos) << r.message;
    EXPECT_EQ(read, nullptr);
  }
}

// A large file that is no document is refused from its first bytes.
TEST_F(DocumentFileTest, OpenChecksTheSignatureBeforeReadingOn) {
  auto path = dir_ / "large.bin";
  WriteBytes(path, {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
  std::filesystem::resize_file(path, uint64_t{3} << 29);  // 1.5 GB, sparse
  std::unique_ptr<DataBase> read;
  DocumentFileResult r = DocumentFile::Open(path, read);
  EXPECT_EQ(r.error, kNotADocumentError);
  EXPECT_EQ(r.message, path.string() + ": not a document");
}

// An implementation that runs out of memory while it reads (as a vector of a damaged size would).
class HungryRecord final : public CPMUnknown<IPMUnknown> {
 public:
  explicit HungryRecord(Boss* boss) : CPMUnknown(boss) {}
  void ReadWrite(IPMStream* stream, ImplementationID) override {
    if (stream->IsReading()) throw std::bad_alloc();
  }
};

TEST_F(DocumentFileTest, RunningOutOfMemoryWhileReadingIsAnError) {
  constexpr ClassID kHungryBoss = kTestPrefix + 0x40;
  constexpr ImplementationID kHungryImpl = kTestPrefix + 0x40;
  Registry& registry = Registry::Get();
  if (!registry.IsClassRegistered(kHungryBoss)) {
    ASSERT_EQ(registry.RegisterImplementation<HungryRecord>(kHungryImpl, true), kSuccess);
    ASSERT_EQ(registry.RegisterClass(kHungryBoss, kInvalidClass, "kHungryBoss",
                                     {{kTestPrefix + 0x40, kHungryImpl}}),
              kSuccess);
  }
  UID hungry = db_.NewObject(kHungryBoss);
  // Only implementations that live are written.
  InterfacePtr<IPMUnknown> live(db_.Instantiate(hungry, kTestPrefix + 0x40));
  ASSERT_TRUE(live);
  std::unique_ptr<DataBase> read;
  DocumentFileResult r = DocumentFile::Deserialize(DocumentFile::Serialize(db_), read);
  EXPECT_EQ(r.error, kOutOfMemoryError);
  EXPECT_NE(r.message.find("not enough memory"), std::string::npos) << r.message;
  EXPECT_EQ(read, nullptr);
}

TEST_F(DocumentFileTest, OpenReportsMissingFilesAndFolders) {
  std::unique_ptr<DataBase> read;
  DocumentFileResult r = DocumentFile::Open(dir_ / "missing.pgd", read);
  EXPECT_EQ(r.error, kFileNotFoundError);
  EXPECT_NE(r.message.find("missing.pgd"), std::string::npos);
  EXPECT_NE(DocumentFile::Open(dir_.Path(), read).error, kSuccess);
}

TEST_F(DocumentFileTest, AFailedSaveLeavesTheEarlierFileUntouched) {
  auto path = dir_ / "doc.pgd";
  ASSERT_EQ(DocumentFile::Save(db_, path).error, kSuccess);
  std::vector<uint8_t> earlier = ReadBytes(path);
  // A file size limit makes the writing of the new content fail.
  {
    UntrackedChanges building(&db_);
    Instantiate<ITestRecord>(&db_, first_)->SetText(WideString(100000, u'x'));
  }
  {
    FileSizeLimit limit(earlier.size() + 100);
    EXPECT_EQ(DocumentFile::Save(db_, path).error, kWriteFailedError);
  }
  EXPECT_EQ(ReadBytes(path), earlier);
  EXPECT_TRUE(db_.IsModified());
  // So does a folder that does not exist.
  DocumentFileResult nowhere = DocumentFile::Save(db_, dir_ / "missing-folder" / "doc.pgd");
  EXPECT_EQ(nowhere.error, kWriteFailedError);
  EXPECT_NE(nowhere.message.find("missing-folder"), std::string::npos);
}

// Documents with stories, as DocumentList makes and opens them.
class DocumentFileStoryTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureHost(); }
  void TearDown() override { DocumentList::Get().CloseAll(); }

  static InterfacePtr<ITextModel> MainStory(IDataBase* db) {
    return Instantiate<ITextModel>(db, DefaultDocument::GetMainStory(*db));
  }
  // Whether two stories hold the same text and runs, the runs' lists being the same interned objects.
  static ::testing::AssertionResult SameStory(const ITextModel& a, const ITextModel& b) {
    return testing_support::SameStyledText(a.GetStyledText(0, a.TotalLength()),
                                           b.GetStyledText(0, b.TotalLength()));
  }
  TempFolder dir_{"docfile-stories"};
};

// Files saved in earlier formats (before the table of shared values, before paragraph records as runs)
// still open, pass the checks of opening, and read back the same once saved again.
TEST_F(DocumentFileStoryTest, FilesOfEarlierFormatsStillOpen) {
  const struct {
    const char* file;
    uint8_t version;
    const char16_t* startsWith;
  } rows[] = {
      {"format1-sample.pgd", 1, u"A Walk to the Harbour"},
      {"format1-empty.pgd", 1, u"\r"},
      {"format2-paragraphs.pgd", 2, u"Rows of paragraphs\r\r\r\rFirst"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    auto path = std::filesystem::path(PAGEHOST_TEST_DATA) / row.file;
    ASSERT_EQ(ReadBytes(path)[8], row.version);
    IDataBase* db = nullptr;
    DocumentResult opened = DocumentList::Get().OpenDocument(path, db);
    ASSERT_TRUE(opened.ok()) << opened.message;
    auto story = MainStory(db);
    EXPECT_EQ(story->GetText(0, story->TotalLength()).rfind(row.startsWith, 0), 0u);
    std::vector<uint8_t> again = DocumentFile::Serialize(*static_cast<DataBase*>(db));
    EXPECT_EQ(again[8], DocumentFile::kFormatVersion);
    std::unique_ptr<DataBase> reread;
    ASSERT_TRUE(DocumentFile::Deserialize(again, reread).ok());
    EXPECT_TRUE(SameStory(*story, *MainStory(reread.get())));
    EXPECT_EQ(DocumentFile::Serialize(*reread), again);
  }
}

// However many runs and storage blocks hold a list, the file holds it once; reading gives the runs the
// interned lists back.
TEST_F(DocumentFileStoryTest, OverrideListsAreStoredOncePerDocument) {
  IDataBase* db = DocumentList::Get().NewDocument();
  UIDRef main(db, DefaultDocument::GetMainStory(*db));
  auto story = MainStory(db);
  ASSERT_EQ(TextCmdUtils::InsertText(main, 0, WideString(30000, u'x')), kSuccess);
  const std::u16string kFaces[] = {u"Zyxwv One", u"Zyxwv Two", u"Zyxwv Six"};
  for (int32_t i = 0; i < 290; ++i) {
    AttributeBossList list;
    ASSERT_EQ(list.ApplyValue(kTextAttrFontStyle, WideString(kFaces[i % 3])), kSuccess);
    ASSERT_EQ(TextCmdUtils::ApplyOverrides(main, TextStrand::kCharacter, i * 100, i * 100 + 50, list),
              kSuccess);
  }
  ASSERT_GT(story->CountCharacterRuns(), 2 * CharRunChunk::kMaxRuns);
  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db));
  const uint8_t kMark[] = {'Z', 0, 'y', 0, 'x', 0, 'w', 0, 'v', 0};
  size_t found = 0;
  for (auto at = bytes.begin();
       (at = std::search(at, bytes.end(), std::begin(kMark), std::end(kMark))) != bytes.end(); ++at)
    ++found;
  EXPECT_EQ(found, std::size(kFaces));
  std::unique_ptr<DataBase> read;
  ASSERT_TRUE(DocumentFile::Deserialize(bytes, read).ok());
  EXPECT_TRUE(SameStory(*story, *MainStory(read.get())));
}

}  // namespace
