// Damage from text changes and undo.
#include "host/compose/ComposeObserver.h"

#include "host/cmd/ICommand.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/IStoryComposition.h"
#include "host/compose/StoryComposer.h"
#include "host/db/IDataBase.h"
#include "host/layout/LayoutIDs.h"
#include "host/notify/ISubject.h"
#include "host/text/IStoryList.h"
#include "host/text/TextChange.h"
#include "host/text/TextIDs.h"

namespace {

void InvalidateAll(IDataBase& db) {
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    if (auto results = Instantiate<IStoryComposition>(&db, stories->GetNthStory(i))) results->Invalidate();
  }
}

}  // namespace

void ComposeObserver::Update(ClassID theChange, ISubject*, PMIID protocol, void* changedBy) {
  IDataBase* db = GetDataBase(this);
  if (!db || !changedBy) return;
  if (protocol == IID_ITEXTMODEL && theChange != kDeleteStoryCmdBoss) {
    auto* change = static_cast<TextChange*>(changedBy);
    if (change->what != TextChange::What::kStory)
      StoryComposer::DamageAt(db, change->story, change->position);
    return;
  }
  // Undo restores text and frames but not what composition wrote outside the step; page changes renumber
  // pages (page number characters, odd and even page breaks): every story starts again.
  // A style edit changes the attributes of every story that uses the style.
  bool undo = protocol == IID_ICOMMANDMGR && theChange == kAfterUndoRedoMessageBoss;
  bool styles = protocol == IID_ICOMMANDMGR && theChange == kAfterDoMessageBoss &&
                static_cast<ICommand*>(changedBy)->GetBoss()->GetClass() == kEditStyleCmdBoss;
  bool pages = protocol == IID_ISPREADCHANGES &&
               (theChange == kPagesInsertedChange || theChange == kPagesDeletedChange ||
                theChange == kPagesMovedChange || theChange == kPagesShuffledChange);
  if (undo || pages || styles) InvalidateAll(*db);
}

void ComposeObserver::AttachTo(IDataBase& db) {
  auto subject = Instantiate<ISubject>(&db, db.GetRootUID());
  auto observer = Instantiate<IObserver>(&db, db.GetRootUID(), IID_ICOMPOSEOBSERVER);
  if (!subject || !observer) return;
  subject->AttachObserver(observer.get(), IID_ITEXTMODEL);
  subject->AttachObserver(observer.get(), IID_ICOMMANDMGR);
  subject->AttachObserver(observer.get(), IID_ISPREADCHANGES);
}
