// ITextRangeData: the text range a text command works on ([start, end); an insert uses start).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/text/TextIDs.h"

class ITextRangeData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTRANGEDATA.Get() };
  virtual void SetRange(int32_t start, int32_t end) = 0;
  virtual int32_t GetStart() const = 0;
  virtual int32_t GetEnd() const = 0;
};
