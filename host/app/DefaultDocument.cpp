// The default document's main story and layout.
#include "host/app/DefaultDocument.h"

#include <map>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/LayoutCheck.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/ISubject.h"
#include "host/text/IStoryList.h"
#include "host/text/TextCmdUtils.h"

namespace DefaultDocument {
namespace {

NewLayoutOptions& NewOptions() {
  static NewLayoutOptions options;
  return options;
}

}  // namespace

ErrorCode SetNewLayoutOptions(const NewLayoutOptions& options) {
  if (!options.Fault().empty()) return kInvalidParameterError;
  NewOptions() = options;
  return kSuccess;
}

const NewLayoutOptions& GetNewLayoutOptions() {
  return NewOptions();
}

void AddDefaultContent(IDataBase& db, UID) {
  UID story;
  if (TextCmdUtils::NewStory(&db, story) != kSuccess) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  // The options were checked when they were set, so the layout is built.
  (void)DefaultLayout::Build(db, NewOptions(), story);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
}

void AnnounceNewDocument(IDataBase& db, UID document) {
  auto spreads = LayoutUtils::QuerySpreadList(&db);
  if (!spreads) return;
  LayoutChange listed{.what = kMasterSpreadsListedChange};
  for (int32_t i = 0; i < spreads->CountMasterSpreads(); ++i)
    listed.items.push_back(spreads->GetNthMasterSpread(i));
  if (auto subject = Instantiate<ISubject>(&db, document))
    subject->Change(kMasterSpreadsListedChange, IID_IMASTERCHANGES, &listed);
  std::map<UID, std::vector<UID>> pagesByMaster;
  for (UID page : LayoutUtils::DocumentPages(&db)) {
    UID master = Instantiate<IPage>(&db, page)->GetMasterSpread();
    if (master.IsValid()) pagesByMaster[master].push_back(page);
  }
  for (const auto& [master, pages] : pagesByMaster) {
    LayoutParams params;
    params.target = master;
    (void)LayoutCmdUtils::Process(kApplyMasterCmdBoss, &db, pages, params);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  (void)CmdUtils::ProcessScheduledCmds();
}

std::string CompleteOpenedDocument(IDataBase& db) {
  if (!DefaultLayout::HasLayout(db)) {
    NewLayoutOptions builtIn;
    if (DefaultLayout::Build(db, builtIn, GetMainStory(db)) != kSuccess)
      return "its layout could not be built";
    db.SetModified(false);
  }
  return LayoutCheck::FindFault(db);
}

UID GetMainStory(IDataBase& db) {
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  return stories && stories->CountStories() > 0 ? stories->GetNthStory(0) : kInvalidUID;
}

}  // namespace DefaultDocument
