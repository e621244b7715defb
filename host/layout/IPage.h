// IPage: a page of a spread: its size, margins, columns and gutter, the master spread it is based on, and
// its override list: the master items this page shows as local copies, each with its copy.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/Geometry.h"
#include "host/layout/LayoutIDs.h"

struct OverrideEntry {
  UID masterItem;
  UID localItem;
  bool operator==(const OverrideEntry&) const = default;
};

class IPage : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPAGE.Get() };
  virtual UID GetSpread() const = 0;
  virtual void SetSpread(UID spread) = 0;
  virtual double GetWidth() const = 0;
  virtual double GetHeight() const = 0;
  virtual void SetSize(double width, double height) = 0;
  virtual const Margins& GetMargins() const = 0;
  virtual void SetMargins(const Margins& margins) = 0;
  virtual int32_t GetColumns() const = 0;
  virtual double GetGutter() const = 0;
  virtual void SetColumns(int32_t columns, double gutter) = 0;
  // The master spread the page is based on; kInvalidUID when none. The page at position O of its spread
  // shows page O of that master spread (its last page when O is beyond it).
  virtual UID GetMasterSpread() const = 0;
  virtual void SetMasterSpread(UID master) = 0;
  virtual const std::vector<OverrideEntry>& GetOverrides() const = 0;
  virtual void SetOverrides(std::vector<OverrideEntry> overrides) = 0;
};
