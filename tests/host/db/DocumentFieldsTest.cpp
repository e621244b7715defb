// Opening validates every field of a document as if there were no checksum: documents crafted with a field
// out of range and a checksum that matches are refused with what is wrong, and a document whose UIDs are
// nearly used up opens, refuses the edits it has no UIDs for, and stays sound.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/IImportProvider.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/Crc32.h"
#include "host/db/DocumentFile.h"
#include "host/db/UndoRecord.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/res/ISwatchList.h"
#include "host/res/SwatchUtils.h"
#include "host/text/IStyleInfo.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestHost.h"

using namespace testing_support;

namespace {

constexpr size_t kNextUIDField = 16;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr StyleKind kPara = StyleKind::kParagraph;

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The checksum made to match again, as a crafted file would have it.
void Reseal(std::vector<uint8_t>& bytes) {
  Put32(bytes, bytes.size() - 4, Crc32(std::span<const uint8_t>(bytes).first(bytes.size() - 4)));
}

// A new document with a second text frame on its first page, saved and closed; `damage` changes it behind
// the commands' back first and `patch` the saved bytes after.
class DocumentFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureHost(); }
  void TearDown() override {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    DocumentList::Get().CloseAll();
  }

  std::filesystem::path Save(const std::function<void(IDataBase&)>& damage,
                             const std::function<void(std::vector<uint8_t>&)>& patch) {
    IDataBase* db = DocumentList::Get().NewDocument();
    LayoutParams frame;
    frame.target = LayoutUtils::PageAt(db, 0);
    frame.bounds = {50, 50, 200, 300};
    std::vector<UID> made;
    EXPECT_EQ(LayoutCmdUtils::Process(kCreateTextFrameCmdBoss, db, {}, frame, &made), kSuccess);
    frame_ = made.empty() ? kInvalidUID : made[0];
    {
      UntrackedChanges damaging(db);
      damage(*db);
    }
    std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db));
    patch(bytes);
    Reseal(bytes);
    DocumentList::Get().CloseDocument(db);
    auto path = dir_ / "doc.pgd";
    WriteBytes(path, bytes);
    return path;
  }

  InterfacePtr<IPageItem> Item(IDataBase& db) const { return Instantiate<IPageItem>(&db, frame_); }

  TempFolder dir_{"docfields"};
  UID frame_;
};

TEST_F(DocumentFieldsTest, CraftedFieldsAreRefusedWithWhatIsWrong) {
  using Damage = std::function<void(IDataBase&)>;
  Damage none = [](auto&) {};
  auto nextUID = [](uint32_t uid) {
    return [uid](std::vector<uint8_t>& b) { Put32(b, kNextUIDField, uid); };
  };
  auto bounds = [this](PMRect r) -> Damage { return [=, this](auto& db) { Item(db)->SetBounds(r); }; };
  auto options = [this](std::function<void(FrameOptions&)> change) -> Damage {
    return [=, this](IDataBase& db) {
      auto frame = Instantiate<ITextFrame>(&db, frame_);
      FrameOptions o = frame->GetOptions();
      change(o);
      frame->SetOptions(o);
    };
  };
  const struct {
    Damage damage;
    const char* told;
    std::function<void(std::vector<uint8_t>&)> patch = [](auto&) {};
  } rows[] = {
      {none, "the document's next UID (4294967294) is out of range", nextUID(0xFFFFFFFE)},
      {none, "has a UID at or above the document's next UID", nextUID(3)},
      {bounds({kNaN, 0, 10, 10}), "an edge of a page item's bounds is not a number"},
      {bounds({10, 0, 5, 10}), "an edge of a page item's bounds is beyond the opposite edge"},
      {options([](auto& o) { o.columns = 4000; }), "a frame's column count is out of range"},
      {options([](auto& o) { o.verticalJustification = VerticalJustification(9); }),
       "a frame's vertical justification is out of range"},
      {[](auto& db) { Instantiate<IPage>(&db, LayoutUtils::PageAt(&db, 0))->SetMasterSpread(0x90000000); },
       "a reference names UID 2415919104, which no object can have"},
      {[this](auto& db) { Item(db)->SetOverrideOf(99999); }, "overrides object 99999, which is no page item"},
      {[](auto& db) {
         StyleUtils::QueryStyle(&db, StyleUtils::GetDefaultStyle(&db, kPara), kPara)->SetBasedOn(99999);
       },
       "names object 99999, which is no paragraph style"},
      {[](auto& db) { SwatchUtils::QuerySwatchList(&db)->AddSwatch(LayoutUtils::PageAt(&db, 0)); },
       "the swatch list names object"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.told);
    auto path = Save(row.damage, row.patch);
    IDataBase* opened = nullptr;
    DocumentResult r = DocumentList::Get().OpenDocument(path, opened);
    EXPECT_EQ(r.error, kDamagedDocumentError);
    EXPECT_NE(r.message.find(row.told), std::string::npos) << r.message;
    EXPECT_EQ(opened, nullptr);
  }
}

// With two UIDs left, an edit that needs more fails with an error and leaves the document as it was; one
// that fits succeeds; the document saves and opens again.
TEST_F(DocumentFieldsTest, EditsBeyondTheLastUIDFailCleanly) {
  auto path = Save([](IDataBase&) {}, [](auto& b) { Put32(b, kNextUIDField, kUIDLimit - 2); });
  IDataBase* db = nullptr;
  ASSERT_TRUE(DocumentList::Get().OpenDocument(path, db).ok());
  std::vector<UID> before = db->GetAllUIDs();
  // Each refuses with an error and changes nothing.
  const std::string text = "<ASCII-WIN>\nPlaced text";
  const auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  UID story;
  const std::pair<const char*, std::function<bool()>> tooLarge[] = {
      {"duplicate-spread",
       [&] {
         return LayoutCmdUtils::Process(kDuplicateSpreadCmdBoss, db, {LayoutUtils::SpreadAt(db, 0)}, {}) ==
                kOutOfMemoryError;
       }},
      {"place",
       [&] {
         return !FindImportProvider("host")->Place({}, bytes, db, story).succeeded && !story.IsValid();
       }},
  };
  for (const auto& [what, refused] : tooLarge) {
    SCOPED_TRACE(what);
    EXPECT_TRUE(refused());
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_EQ(db->GetAllUIDs(), before);
  }
  EXPECT_EQ(TextCmdUtils::InsertText({db, DefaultDocument::GetMainStory(*db)}, 0, u"fits"), kSuccess);
  ASSERT_TRUE(DocumentList::Get().SaveDocument(db).ok());
  DocumentList::Get().CloseAll();
  DocumentResult reopened = DocumentList::Get().OpenDocument(path, db);
  EXPECT_TRUE(reopened.ok()) << reopened.message;
}

}  // namespace
