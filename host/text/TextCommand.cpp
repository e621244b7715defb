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

void TextCommand::DoNotify() {
  Command::DoNotify();
  const UIDList& items = GetItemList();
  for (UID uid : items) {
    if (auto subject = Instantiate<ISubject>(items.GetDataBase(), uid))
      subject->Change(GetClass(this), IID_ITEXTMODEL, static_cast<ICommand*>(this));
  }
}
