// IObserver: receives the changes of the subjects it is attached to.
#pragma once

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"

class ISubject;

class IObserver : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IOBSERVER.Get() };
  // `theChange` is the class of a command or message, `protocol` the interface ID this observer attached
  // for, `changedBy` usually the command being done (an ICommand*), or null.
  virtual void Update(ClassID theChange, ISubject* theSubject, PMIID protocol, void* changedBy) = 0;
  virtual void AutoAttach() {}
  virtual void AutoDetach() {}
};
