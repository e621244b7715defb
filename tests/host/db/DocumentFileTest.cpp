// Saving and reading documents: round trips, data of absent plug-ins, damaged files and safe saving.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/db/DocumentFile.h"
#include "tests/support/FileSizeLimit.h"
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
  Instantiate<ITestRecord>(&db_, first_)->SetText(WideString(100000, u'x'));
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

}  // namespace
