// ISubject: an object whose changes observers can follow, per protocol (interface ID).
#pragma once

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"

class IObserver;

class ISubject : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISUBJECT.Get() };
  // The subject does not hold a reference: an observer detaches before it goes away. Attaching the same
  // observer twice for one protocol does nothing.
  virtual void AttachObserver(IObserver* observer, PMIID protocol) = 0;
  virtual void DetachObserver(IObserver* observer, PMIID protocol) = 0;
  virtual bool IsAttached(const IObserver* observer, PMIID protocol) const = 0;
  // Delivers (theChange, this, protocol, changedBy) to every observer attached for `protocol`, in the order
  // they attached. Observers may attach and detach while it runs; a detached one is not called again.
  virtual void Change(ClassID theChange, PMIID protocol, void* changedBy = nullptr) = 0;
};
