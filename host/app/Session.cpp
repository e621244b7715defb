// The session object.
#include "host/app/Session.h"

Session::Session(Boss* boss) : CPMUnknown(boss) {
  AdoptDataBase(nullptr);
}

void Session::AdoptDataBase(std::unique_ptr<DataBase> db) {
  if (!db) {
    db = std::make_unique<DataBase>();
    db->SetRootUID(db->NewObject(kWorkspaceBoss));
    db->SetModified(false);
  }
  db_ = std::move(db);
  workspace_ = db_->GetRootUID();
}

Session::~Session() = default;

IPMUnknown* Session::QueryUtils(PMIID iid) const {
  if (!utils_) utils_ = BossRef(Boss::Create(kUtilsBoss));
  return utils_ ? utils_->QueryInterface(iid) : nullptr;
}
