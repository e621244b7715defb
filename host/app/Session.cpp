// The session object.
#include "host/app/Session.h"

Session::Session(Boss* boss) : CPMUnknown(boss), db_(std::make_unique<DataBase>()) {
  workspace_ = db_->NewObject(kWorkspaceBoss);
  db_->SetRootUID(workspace_);
  db_->SetModified(false);
}

Session::~Session() = default;

IPMUnknown* Session::QueryUtils(PMIID iid) const {
  if (!utils_) utils_ = BossRef(Boss::Create(kUtilsBoss));
  return utils_ ? utils_->QueryInterface(iid) : nullptr;
}
