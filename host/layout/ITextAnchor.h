// ITextAnchor (on a text anchor): a named place in a story's text. The place is the U+FEFF whose
// character attribute kTextAttrTextAnchor names the anchor, so the anchor follows every edit of the text
// around it; a page anchor stands for the page its character is shown on rather than the character.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/HyperlinkIDs.h"

inline constexpr char16_t kTextAnchorChar = 0xFEFF;

class ITextAnchor : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTANCHOR.Get() };
  virtual const WideString& GetName() const = 0;
  virtual void SetName(const WideString& name) = 0;
  virtual bool IsPageAnchor() const = 0;
  virtual void SetPageAnchor(bool page) = 0;
  // The story holding the anchor's character.
  virtual UID GetStory() const = 0;
  virtual void SetStory(UID story) = 0;
};
