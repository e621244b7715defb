// The layout commands' common part.
#include "host/layout/LayoutCommand.h"

#include <cassert>

#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/ISubject.h"

LayoutParams& LayoutCommand::Params() const {
  InterfacePtr<ILayoutCmdData> data(this, UseDefaultIID());
  assert(data && "every layout command class has ILayoutCmdData");
  return data->Params();
}

void LayoutCommand::Fail(ErrorCode code) {
  if (ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
    ErrorUtils::PMSetGlobalErrorCode(code == kSuccess ? kFailure : code);
}

bool LayoutCommand::Failed() {
  return ErrorUtils::PMGetGlobalErrorCode() != kSuccess;
}

bool LayoutCommand::ItemsArePageItems(bool lockedToo) const {
  IDataBase* db = DataBase();
  if (!db || GetItemList().empty()) return false;
  for (UID uid : GetItemList()) {
    std::string item = "item " + std::to_string(uid.Get());
    if (!LayoutUtils::IsPageItem(db, uid)) {
      Refuse(item + " is no page item");
      return false;
    }
    if (!lockedToo && Instantiate<IPageItem>(db, uid)->IsLocked()) {
      Refuse(item + " is locked");
      return false;
    }
  }
  return true;
}

void LayoutCommand::Note(PMIID protocol, LayoutChange change) {
  change.command = this;
  noted_.emplace_back(protocol, std::move(change));
}

void LayoutCommand::NoteCopies(const std::vector<UID>& stories, const std::vector<UID>& copies,
                               const std::vector<UID>& originals) {
  if (!stories.empty()) Note(IID_ISTORYCHANGES, {.what = kStoryCopiedChange, .items = stories});
  Note(IID_IPAGEITEMCHANGES, {.what = kItemsCopiedChange, .items = copies, .others = originals});
}

void LayoutCommand::SendNow(PMIID protocol, LayoutChange change) {
  change.command = this;
  Send(protocol, change);
}

void LayoutCommand::Send(PMIID protocol, LayoutChange& change) {
  IDataBase* db = DataBase();
  if (!db) return;
  if (auto subject = Instantiate<ISubject>(db, db->GetRootUID()))
    subject->Change(change.what, protocol, &change);
  if (protocol == IID_IFRAMELIST && change.target.IsValid()) {
    if (auto subject = Instantiate<ISubject>(db, change.target))
      subject->Change(change.what, protocol, &change);
  }
}

void LayoutCommand::SendNoted() {
  for (auto& [protocol, change] : noted_)
    Send(protocol, change);
  noted_.clear();
}

void LayoutCommand::DoNotify() {
  SendNoted();
  main_.command = this;
  main_.what = GetClass(this);
  if (main_.items.empty()) main_.items = GetItemList().UIDs();
  Send(protocol_, main_);
}
