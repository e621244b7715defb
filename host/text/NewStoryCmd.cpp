// Creating stories.
#include "host/text/NewStoryCmd.h"

#include "host/text/IStoryList.h"
#include "host/text/StyleUtils.h"

void NewStoryCmd::Do() {
  IDataBase* db = GetTargetDataBase();
  InterfacePtr<IStoryList> stories =
      db ? Instantiate<IStoryList>(db, db->GetRootUID()) : InterfacePtr<IStoryList>();
  if (!stories) return Fail(kInvalidParameterError);
  UID uid = db->NewObject(kTextStoryBoss);
  InterfacePtr<ITextModel> story = Instantiate<ITextModel>(db, uid);
  if (!story) return Fail(kFailure);
  ErrorCode err = story->Initialize(StyleUtils::GetDefaultStyle(db, StyleKind::kParagraph),
                                    StyleUtils::GetRootStyle(db, StyleKind::kCharacter));
  if (err != kSuccess) return Fail(err);
  stories->AddStory(uid);
  SetItemList(UIDList(db, {uid}));
  NoteChange(TextChange::What::kStory, 0, 0, story->TotalLength());
}
