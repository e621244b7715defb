// ISession: the running host: the application workspace (defaults for new documents, application
// preferences) and the utilities object on which plug-ins publish services for each other.
#pragma once

#include "host/core/HostIDs.h"
#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"

class ISession : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISESSION.Get() };
  // The session's own database, which holds the application workspace; it is never saved to a file.
  virtual IDataBase* GetSessionDataBase() const = 0;
  virtual UID GetWorkspaceUID() const = 0;
  // A counted reference to an interface of the application workspace or of the utilities object.
  virtual IPMUnknown* QueryWorkspace(PMIID iid) const = 0;
  virtual IPMUnknown* QueryUtils(PMIID iid) const = 0;
};

// The session of this process; null before Host::Initialize and after Host::Shutdown.
ISession* GetExecutionContextSession();

template <class T>
InterfacePtr<T> QueryApplicationWorkspace(PMIID iid = T::kDefaultIID) {
  ISession* s = GetExecutionContextSession();
  return InterfacePtr<T>(s ? static_cast<T*>(s->QueryWorkspace(iid)) : nullptr);
}

template <class T>
InterfacePtr<T> QueryUtils(PMIID iid = T::kDefaultIID) {
  ISession* s = GetExecutionContextSession();
  return InterfacePtr<T>(s ? static_cast<T*>(s->QueryUtils(iid)) : nullptr);
}
