// Damage from text changes and undo.
#include "host/compose/ComposeObserver.h"

#include <algorithm>

#include "host/cmd/ICommand.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/IStoryComposition.h"
#include "host/compose/StoryComposer.h"
#include "host/compose/TextWrapFlow.h"
#include "host/core/HostIDs.h"
#include "host/db/IDataBase.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/IHierarchy.h"
#include "host/layout/LayoutChange.h"
#include "host/layout/LayoutIDs.h"
#include "host/notify/ISubject.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "host/text/TextChange.h"
#include "host/text/TextIDs.h"

namespace {

void NoteTextChange(IDataBase& db, const TextChange& change) {
  auto results = Instantiate<IStoryComposition>(&db, change.story);
  auto text = Instantiate<ITextModel>(&db, change.story);
  if (!results || !text || change.what == TextChange::What::kStory) return;
  int32_t start = change.position;
  int32_t end = change.position + change.inserted;
  if (change.what == TextChange::What::kParagraphAttributes) {
    // Paragraph attributes change the paragraphs' lines from their first.
    start = text->GetParagraphRun(text->ParagraphIndexAt(start)).start;
    end = text->GetParagraphRun(text->ParagraphIndexAt(std::max(start, end - 1))).end;
  }
  bool edit = change.what == TextChange::What::kText;
  if (edit) AnchorUtils::FollowTextEdit(&db, change.story, change.position, change.deleted, change.inserted);
  results->NoteEdit(start, edit ? change.deleted : 0, edit ? change.inserted : 0, end);
  StoryComposer::DamageAt(&db, change.story, start);
}

// An anchored item that changes (a resize, a move) changes the line holding its character.
void DamageAnchorsOf(IDataBase& db, const LayoutChange& change) {
  for (UID item : change.items) {
    auto node = db.IsValidUID(item) ? Instantiate<IHierarchy>(&db, item) : InterfacePtr<IHierarchy>();
    if (!node || node->GetParent().IsValid()) continue;
    UID story = AnchorUtils::StoryOfItem(&db, item);
    auto anchors = AnchorUtils::QueryAnchors(&db, story);
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>()) {
      if (anchor.item == item) StoryComposer::DamageAt(&db, story, anchor.index);
    }
  }
}

// A layout change may move or reshape any frame: no story reuses composed frames.
void ForgetAllEdits(IDataBase& db) {
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    if (auto results = Instantiate<IStoryComposition>(&db, stories->GetNthStory(i))) results->ForgetEdits();
  }
}

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
  bool message = theChange == kBeforeDoMessageBoss || theChange == kAfterDoMessageBoss ||
                 theChange == kBeforeUndoRedoMessageBoss || theChange == kAfterUndoRedoMessageBoss;
  // Commands' before and after messages also reach the protocols they notify on; read them once.
  if (message && protocol != IID_ICOMMANDMGR) return;
  if (theChange == kBeforeDoMessageBoss)
    TextWrapFlow::DamageBeforeDelete(*db, *static_cast<ICommand*>(changedBy));
  if (protocol == IID_ITEXTMODEL) {
    NoteTextChange(*db, *static_cast<TextChange*>(changedBy));
    return;
  }
  if (protocol != IID_ICOMMANDMGR) ForgetAllEdits(*db);
  if (protocol == IID_IPAGEITEMCHANGES) DamageAnchorsOf(*db, *static_cast<LayoutChange*>(changedBy));
  if (protocol == IID_IPAGEITEMCHANGES)
    TextWrapFlow::DamageAround(*db, *static_cast<LayoutChange*>(changedBy));
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
  for (PMIID protocol : {IID_ISPREADCHANGES, IID_IPAGEITEMCHANGES, IID_IMASTERCHANGES, IID_ILAYERCHANGES,
                         IID_ISTORYCHANGES, IID_IFRAMELIST, IID_ITEXTFRAMECHANGES})
    subject->AttachObserver(observer.get(), protocol);
}
