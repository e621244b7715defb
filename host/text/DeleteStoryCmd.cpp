// Deleting stories.
#include "host/text/DeleteStoryCmd.h"

#include "host/core/ObjectModel.h"
#include "host/notify/ISubject.h"
#include "host/text/IStoryList.h"
#include "host/text/TextStory.h"

void DeleteStoryCmd::Do() {
  const UIDList& items = GetItemList();
  IDataBase* db = items.GetDataBase();
  if (!db || items.empty()) return Fail(kInvalidParameterError);
  for (UID uid : items) {
    if (db->GetClass(uid) != kTextStoryBoss) return Fail(kInvalidParameterError);
  }
  InterfacePtr<IStoryList> stories = Instantiate<IStoryList>(db, db->GetRootUID());
  deleted_.clear();
  for (UID uid : items) {
    auto story = Instantiate<ITextModel>(db, uid);
    deleted_.push_back({this, uid, TextChange::What::kStory, 0, story ? story->TotalLength() : 0, 0});
    if (stories) stories->RemoveStory(uid);
    if (ErrorCode err = TextStory::DeleteStory(db, uid); err != kSuccess) return Fail(err);
  }
}

void DeleteStoryCmd::DoNotify() {
  IDataBase* db = GetTargetDataBase();
  auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>();
  if (!subject) return;
  for (TextChange& change : deleted_)
    subject->Change(GetClass(this), IID_ITEXTMODEL, &change);
}
