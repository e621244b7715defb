// ICommand: a change to documents, done through the command processor so that it can be undone, observed
// and named. Commands are bosses: an ICommand implementation (derived from Command) plus parameter
// interfaces (IBoolData, IIntData, IStringData, IUIDData ... or the command's own).
#pragma once

#include <string>
#include <vector>

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"
#include "host/db/UIDRef.h"

class ICommand : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ICOMMAND.Get() };
  enum class State { kNotDone, kDone, kFailed };
  // Scheduling priorities: a higher value runs first; equal priorities run in the order scheduled.
  static constexpr int32_t kLowestPriority = 0;
  static constexpr int32_t kLowPriority = 1;
  static constexpr int32_t kMediumPriority = 2;
  static constexpr int32_t kHighPriority = 3;

  virtual const UIDList& GetItemList() const = 0;
  virtual void SetItemList(const UIDList& items) = 0;
  // The database the command changes: the item list's, unless set. Null for commands that change no
  // document (the session's workspace, for example), which are not undone.
  virtual IDataBase* GetTargetDataBase() const = 0;
  virtual void SetTargetDataBase(IDataBase* db) = 0;
  // The undo name: a translation key, or the name given by SetName.
  virtual std::string GetName() const = 0;
  virtual void SetName(std::string name) = 0;
  virtual State GetCommandState() const = 0;
  // Protocols on which the before and after messages and the command's own change are sent to the target
  // document's subject (IID_ICOMMANDMGR always receives them too).
  virtual std::vector<PMIID> GetNotificationProtocols() const = 0;

  // Called only by the command processor.
  virtual void DoCommand() = 0;
  virtual void DoNotifyCommand() = 0;
  virtual void SetCommandState(State state) = 0;
};
