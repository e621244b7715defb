// The preferences record, its persistence in both layouts, and SetPrefsCmd on the application workspace.
#include "kesto/services/KestoPrefs.h"

#include <gtest/gtest.h>

#include "host/app/ISession.h"
#include "host/app/Workspace.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/db/MemoryStream.h"
#include "host/db/UndoRecord.h"
#include "kesto/services/SetPrefsCmd.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

namespace kesto {
namespace {

class KestoPrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    ASSERT_EQ(kSuccess, RegisterKestoPrefs(Registry::Get()));
    ASSERT_EQ(kSuccess, RegisterSetPrefsCmd(Registry::Get()));
    // A workspace made after the registration carries the preferences.
    Workspace::Renew();
  }
  // A plain preferences object: the data of a new SetPrefsCmd.
  InterfacePtr<IKestoPrefs> Plain() {
    command_ = CmdUtils::CreateCommand(kSetPrefsCmdBoss);
    return InterfacePtr<IKestoPrefs>(command_.get(), UseDefaultIID());
  }
  InterfacePtr<ICommand> command_;
};

TEST_F(KestoPrefsTest, ExtensionsAnswerFileTypeCodes) {
  InterfacePtr<IKestoPrefs> prefs = Plain();
  ASSERT_TRUE(prefs);
  for (const char16_t* extension : {u"jpeg", u"md", u"", u"sixteen-units-xx-and-more", u"fifth"})
    prefs->AddExtension(extension);
  struct Row {
    int32_t index;
    uint32_t code;
    std::u16string name;
  } rows[] = {
      {0, kTextFileType, u"txt"},           {1, 0x6A706567, u"jpeg"}, {2, 0x6D640000, u"md"},
      {3, 0x73697874, u"sixteen-units-xx"},  // kept to its 16 units
      {4, kUnknownFileType, u"untouched"},   // the fifth was not added
  };
  EXPECT_EQ(4, prefs->GetExtensionCount());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    WideString name = u"untouched";
    EXPECT_EQ(row.code, prefs->GetExtension(row.index, &name));
    EXPECT_EQ(row.name, name);
  }
  prefs->ResetExtensions();
  EXPECT_EQ(1, prefs->GetExtensionCount());
}

TEST_F(KestoPrefsTest, DefaultsAndTheFolderLimit) {
  InterfacePtr<IKestoPrefs> plain = Plain();
  auto persistent = QueryApplicationWorkspace<IKestoPrefs>();
  ASSERT_TRUE(plain && persistent);
  EXPECT_FALSE(plain->GetConvertQuotes());
  EXPECT_TRUE(persistent->GetConvertQuotes() && persistent->GetIncludeStyleSheets());
  EXPECT_TRUE(plain->GetLinkDownloads());
  EXPECT_EQ(1, plain->SetConvertQuotes(true));
  {
    // Outside a command, as when saved preferences are read at start-up.
    UntrackedChanges starting(GetExecutionContextSession()->GetSessionDataBase());
    EXPECT_EQ(0xFFFE, persistent->SetConvertQuotes(true));
  }

  std::u16string hundred(100, u'f');
  plain->SetDownloadsFolder(hundred.data(), 100);
  int32_t length = 0;
  const char16_t* folder = plain->GetDownloadsFolder(length);
  EXPECT_EQ(63, length);
  EXPECT_EQ(hundred.substr(0, 63), std::u16string(folder, 63));
}

// Persistent data round-trips; data of the older layout (no download fields) reads them as defaults of
// that time.
TEST_F(KestoPrefsTest, PersistenceInBothLayouts) {
  auto saved = QueryApplicationWorkspace<IKestoPrefs>();
  {
    UntrackedChanges starting(GetExecutionContextSession()->GetSessionDataBase());
    saved->SetReportErrors(true);
    saved->AddExtension(u"md");
    saved->SetDownloadDepth(3);
    saved->SetLinkDownloads(false);
    saved->SetDownloadsFolder(u"Pictures", 8);
  }
  MemoryWriteStream out;
  static_cast<PersistKestoPrefs*>(saved.get())->ReadWrite(&out, kPersistKestoPrefsImpl);

  Workspace::Renew();
  auto read = QueryApplicationWorkspace<IKestoPrefs>();
  MemoryReadStream in(out.Bytes());
  static_cast<PersistKestoPrefs*>(read.get())->ReadWrite(&in, kPersistKestoPrefsImpl);
  KestoPrefsRecord a, b;
  saved->GetAll(a);
  read->GetAll(b);
  EXPECT_EQ(a, b);

  // Twelve flags, then a count without the layout mark and one name.
  MemoryWriteStream older;
  for (int i = 0; i < 12; ++i) {
    bool flag = i == 2;
    older.XferBool(flag);
  }
  int32_t count = 1;
  older.XferInt32(count);
  WideString txt = u"txt";
  older.XferString(txt);
  MemoryReadStream olderIn(older.Bytes());
  static_cast<PersistKestoPrefs*>(read.get())->ReadWrite(&olderIn, kPersistKestoPrefsImpl);
  int32_t length = 0;
  const char16_t* folder = read->GetDownloadsFolder(length);
  EXPECT_TRUE(read->GetReportErrors() && read->GetLinkDownloads());
  EXPECT_FALSE(read->GetConvertQuotes());
  EXPECT_EQ(kAllDownloadComponents, read->GetDownloadDepth());
  EXPECT_EQ(u"Downloads", std::u16string(folder, length));
}

TEST_F(KestoPrefsTest, SetPrefsCmdIsOneUndoableStepThatObserversHear) {
  ISession* session = GetExecutionContextSession();
  IDataBase* db = session->GetSessionDataBase();
  auto observer = CreateObject<IObserver>(testing_support::kTestObserverBoss);
  auto subject = Instantiate<ISubject>(db, session->GetWorkspaceUID());
  subject->AttachObserver(observer.get(), IID_IKESTOPREFS);

  KestoPrefsRecord before = GetApplicationPrefs();
  KestoPrefsRecord changed = before;
  changed.options |= kPrefReportErrors;
  changed.downloadDepth = 5;
  ASSERT_EQ(kSuccess, SetApplicationPrefs(changed));
  EXPECT_EQ(changed, GetApplicationPrefs());
  InterfacePtr<testing_support::ITestLog> log(observer.get(), UseDefaultIID());
  ASSERT_EQ(1u, log->entries.size());
  EXPECT_EQ(std::to_string(kKestoPrefsChangedMessage.Get()) + "/" + std::to_string(IID_IKESTOPREFS.Get()),
            log->entries[0]);

  ASSERT_EQ(kSuccess, CmdUtils::Undo(db));
  EXPECT_EQ(before, GetApplicationPrefs());
  subject->DetachObserver(observer.get(), IID_IKESTOPREFS);

  // A command aimed at something without preferences fails and changes nothing.
  InterfacePtr<ICommand> stray = CmdUtils::CreateCommand(kSetPrefsCmdBoss);
  stray->SetItemList(UIDList(db, {UID(999999)}));
  EXPECT_NE(kSuccess, CmdUtils::ProcessCommand(stray.get()));
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(before, GetApplicationPrefs());
}

}  // namespace
}  // namespace kesto
