// ITextCopyData: what CopyTextCmd puts in place of its range: a range of a story of the same document, or
// styled text given with the command (text with its paragraph records and character runs).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/db/UIDRef.h"
#include "host/text/ITextModel.h"
#include "host/text/TextIDs.h"

class ITextCopyData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTCOPYDATA.Get() };
  virtual void SetSource(const UIDRef& story, int32_t start, int32_t end) = 0;
  virtual const UIDRef& GetSourceStory() const = 0;
  virtual int32_t GetSourceStart() const = 0;
  virtual int32_t GetSourceEnd() const = 0;
  // Styled text to insert instead of a story's range; the command takes it over.
  virtual void SetStyledText(StyledText text) = 0;
  virtual bool HasStyledText() const = 0;
  virtual const StyledText& GetStyledText() const = 0;
  // Moves the styled text out (the command inserting it is its last user); HasStyledText stays true.
  virtual StyledText TakeStyledText() = 0;
};
