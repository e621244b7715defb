// ITextThreadData: a text thread's name. Every stored name is run through the translator, so a name given
// as a translation key ("A672sDT") is kept as its text.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

class ITextThreadData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTTHREADDATA.Get() };
  virtual void SetName(const WideString& name) = 0;
  virtual const WideString& GetName() const = 0;
};

}  // namespace sorvia
