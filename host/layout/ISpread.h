// ISpread: a spread's pages, in order from left to right, and its page position (the page index within
// the spread at which its binding lies; -1 lets the host place it). The spread's layers are its
// hierarchy's children (IHierarchy), one spread layer per document layer in the document's layer order.
// IMasterSpread: what a master spread has beyond a spread: its prefix and name ("A" and "Master" make
// "A-Master").
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/LayoutIDs.h"

class ISpread : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISPREAD.Get() };
  virtual int32_t CountPages() const = 0;
  virtual UID GetNthPage(int32_t index) const = 0;
  virtual int32_t IndexOfPage(UID page) const = 0;
  virtual void InsertPage(UID page, int32_t at) = 0;
  virtual void RemovePage(UID page) = 0;
  virtual int32_t GetPagePosition() const = 0;
  virtual void SetPagePosition(int32_t position) = 0;
};

class IMasterSpread : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IMASTERSPREAD.Get() };
  virtual const WideString& GetPrefix() const = 0;
  virtual const WideString& GetName() const = 0;
  virtual void SetPrefixAndName(const WideString& prefix, const WideString& name) = 0;
  // "prefix-name", or the name alone when the prefix is empty.
  WideString GetFullName() const { return GetPrefix().empty() ? GetName() : GetPrefix() + u"-" + GetName(); }
};
