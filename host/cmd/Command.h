// Command: the base implementation of ICommand. Subclasses implement Do (and may override DoNotify and
// CreateName); a failing Do sets the global error code and the processor undoes whatever it changed.
#pragma once

#include "host/cmd/ICommand.h"
#include "host/core/CPMUnknown.h"

class Command : public CPMUnknown<ICommand> {
 public:
  const UIDList& GetItemList() const override { return items_; }
  void SetItemList(const UIDList& items) override { items_ = items; }
  IDataBase* GetTargetDataBase() const override { return target_ ? target_ : items_.GetDataBase(); }
  void SetTargetDataBase(IDataBase* db) override { target_ = db; }
  std::string GetName() const override { return name_.empty() ? CreateName() : name_; }
  void SetName(std::string name) override { name_ = std::move(name); }
  State GetCommandState() const override { return state_; }
  std::vector<PMIID> GetNotificationProtocols() const override { return {}; }

  void DoCommand() final { Do(); }
  void DoNotifyCommand() final { DoNotify(); }
  void SetCommandState(State state) final { state_ = state; }

 protected:
  explicit Command(Boss* boss) : CPMUnknown(boss) {}
  virtual void Do() = 0;
  // Fails the command (with `code`, kFailure for kSuccess), leaving `reason` with the global error code (see
  // ErrorUtils). When a code is set already (a nested command failed first), that one stays, with its reason.
  static void Refuse(std::string reason, ErrorCode code = kInvalidParameterError);
  // Tells observers what changed; by default sends the command's class on each notification protocol.
  virtual void DoNotify();
  virtual std::string CreateName() const { return "Command"; }

 private:
  UIDList items_;
  IDataBase* target_ = nullptr;
  std::string name_;
  State state_ = State::kNotDone;
};
