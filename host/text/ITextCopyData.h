// ITextCopyData: where CopyTextCmd copies from: a story of the same document and a range of it.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/db/UIDRef.h"
#include "host/text/TextIDs.h"

class ITextCopyData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTCOPYDATA.Get() };
  virtual void SetSource(const UIDRef& story, int32_t start, int32_t end) = 0;
  virtual const UIDRef& GetSourceStory() const = 0;
  virtual int32_t GetSourceStart() const = 0;
  virtual int32_t GetSourceEnd() const = 0;
};
