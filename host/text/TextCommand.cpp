// The text commands' common part.
#include "host/text/TextCommand.h"

#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/notify/ISubject.h"

InterfacePtr<ITextModel> TextCommand::QueryStory() const {
  const UIDList& items = GetItemList();
  if (items.size() != 1) return {};
  return Instantiate<ITextModel>(items.GetDataBase(), items[0]);
}

void TextCommand::Fail(ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(code == kSuccess ? kFailure : code);
}

void TextCommand::NoteChange(TextChange::What what, int32_t position, int32_t deleted, int32_t inserted) {
  const UIDList& items = GetItemList();
  change_ = {this, items.empty() ? kInvalidUID : items[0], what, position, deleted, inserted};
}

void TextCommand::DoNotify() {
  if (!change_.command) NoteChange(TextChange::What::kText, 0, 0, 0);
  const UIDList& items = GetItemList();
  IDataBase* db = GetTargetDataBase();
  if (auto subject = db ? Instantiate<ISubject>(db, db->GetRootUID()) : InterfacePtr<ISubject>())
    subject->Change(GetClass(this), IID_ITEXTMODEL, &change_);
  for (UID uid : items) {
    if (auto subject = Instantiate<ISubject>(items.GetDataBase(), uid))
      subject->Change(GetClass(this), IID_ITEXTMODEL, &change_);
  }
}
