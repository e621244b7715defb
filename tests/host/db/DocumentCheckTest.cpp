// Opening checks a document: one whose parts disagree, saved with a checksum that matches, is refused with
// a message naming what is wrong, rather than opening and failing at the next edit.
#include "host/app/DocumentCheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/db/DocumentFile.h"
#include "host/db/UndoRecord.h"
#include "host/text/AttributeClasses.h"
#include "host/text/CharRunChunk.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestHost.h"

using namespace testing_support;

namespace {

UID FirstOfClass(IDataBase& db, ClassID cls) {
  for (UID uid : db.GetAllUIDs()) {
    if (db.GetClass(uid) == cls) return uid;
  }
  return kInvalidUID;
}

TEST(DocumentCheckTest, InconsistentDocumentsAreRefusedWithWhatIsWrong) {
  EnsureHost();
  const struct {
    const char* what;
    std::function<void(IDataBase& db, UID story)> damage;
    const char* told;  // nullptr: the document opens
  } rows[] = {
      {"nothing", [](IDataBase&, UID) {}, nullptr},
      {"no main story",
       [](IDataBase& db, UID story) { Instantiate<IStoryList>(&db, db.GetRootUID())->RemoveStory(story); },
       "the document has no main story"},
      {"a story list naming something else",
       [](IDataBase& db, UID) { Instantiate<IStoryList>(&db, db.GetRootUID())->AddStory(db.GetRootUID()); },
       "which is no story"},
      {"a run naming a style that is gone",
       [](IDataBase& db, UID) {
         ASSERT_EQ(db.DeleteObject(StyleUtils::GetDefaultStyle(&db, StyleKind::kParagraph)), kSuccess);
       },
       "names the paragraph style"},
      {"overrides naming an object that is gone",
       [](IDataBase& db, UID story) {
         AttributeBossList list;
         ASSERT_EQ(list.ApplyValue(kTextAttrFillColor, UID(99999)), kSuccess);
         ASSERT_EQ(TextCmdUtils::ApplyOverrides({&db, story}, TextStrand::kCharacter, 0, 3, list), kSuccess);
       },
       "refers to object 99999, which does not exist"},
      {"neighbouring runs that should be one",
       [](IDataBase& db, UID) {
         InterfacePtr<ICharRunChunk> chunk =
             Instantiate<ICharRunChunk>(&db, FirstOfClass(db, kCharRunChunkBoss));
         std::vector<CharRun> runs = CharRunChunk::From(chunk.get())->Runs();
         ASSERT_EQ(runs.size(), 1u);
         CharRun first = runs[0];
         first.length = 2;
         runs[0].length -= 2;
         runs.insert(runs.begin(), first);
         CharRunChunk::From(chunk.get())->Assign(runs);
       },
       "has two neighbouring runs with equal attributes"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    TempFolder dir("doccheck");
    IDataBase* db = DocumentList::Get().NewDocument();
    UID story = DefaultDocument::GetMainStory(*db);
    ASSERT_EQ(TextCmdUtils::InsertText({db, story}, 0, u"Hello world\rSecond"), kSuccess);
    {
      UntrackedChanges damaging(db);
      row.damage(*db, story);
    }
    ASSERT_TRUE(DocumentFile::Save(*static_cast<DataBase*>(db), dir / "doc.pgd").ok());
    DocumentList::Get().CloseDocument(db);
    IDataBase* opened = nullptr;
    DocumentResult r = DocumentList::Get().OpenDocument(dir / "doc.pgd", opened);
    if (!row.told) {
      EXPECT_TRUE(r.ok()) << r.message;
    } else {
      EXPECT_EQ(r.error, kDamagedDocumentError);
      EXPECT_NE(r.message.find("the document is inconsistent: "), std::string::npos) << r.message;
      EXPECT_NE(r.message.find(row.told), std::string::npos) << r.message;
      EXPECT_EQ(opened, nullptr);
    }
    DocumentList::Get().CloseAll();
  }
}

}  // namespace
