// Session: the ISession implementation on the session object.
#pragma once

#include <memory>

#include "host/app/ISession.h"
#include "host/core/BossRef.h"
#include "host/core/CPMUnknown.h"
#include "host/db/DataBase.h"

class Session final : public CPMUnknown<ISession> {
 public:
  explicit Session(Boss* boss);
  ~Session() override;
  IDataBase* GetSessionDataBase() const override { return db_.get(); }
  UID GetWorkspaceUID() const override { return workspace_; }
  IPMUnknown* QueryWorkspace(PMIID iid) const override { return db_->Instantiate(workspace_, iid); }
  IPMUnknown* QueryUtils(PMIID iid) const override;

  DataBase* GetDataBase() const { return db_.get(); }
  // Takes `db` (its root the workspace) as the session's database; null gives a new default workspace.
  void AdoptDataBase(std::unique_ptr<DataBase> db);

 private:
  std::unique_ptr<DataBase> db_;
  UID workspace_;
  mutable BossRef utils_;  // created on first use, so that plug-ins' add-ins to it are known
};
