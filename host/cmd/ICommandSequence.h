// ICommandSequence: commands processed between BeginCommandSequence and EndCommandSequence form one
// named undo step. Aborting undoes what they did.
#pragma once

#include <string>

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"

class ICommandSequence : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ICOMMANDSEQUENCE.Get() };
  virtual void SetName(std::string name) = 0;
  virtual std::string GetName() const = 0;
};
