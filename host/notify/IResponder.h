// IResponder and SignalMgr: providers of a signal service answer host signals (document created, opened,
// saved as, before and after export).
#pragma once

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"
#include "host/db/UIDRef.h"

// What a responder receives with a signal.
struct SignalData {
  ServiceID service;
  ClassID signal;
  UIDRef document;         // the document concerned, if any
  void* detail = nullptr;  // signal-specific data
};

class IResponder : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IRESPONDER.Get() };
  // The signals of `service` this responder wants.
  virtual std::vector<ClassID> GetSignals(ServiceID service) const = 0;
  virtual void Respond(const SignalData& signal) = 0;
};

namespace SignalMgr {
// Sends `signal` to every provider class registered for `service` whose responder wants it, in
// registration order. Answers the number of responders called.
int Signal(ServiceID service, ClassID signal, const UIDRef& document, void* detail = nullptr);
}  // namespace SignalMgr
