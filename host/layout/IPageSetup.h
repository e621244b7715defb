// IPageSetup: the document's page setup (on the document object): the size of new pages, pages per spread,
// facing pages, the margins, columns and gutter new pages take, the options new text frames take, and a
// switch that suspends layout updating (the composer leaves damaged frames alone while it is on).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/FrameOptions.h"
#include "host/layout/LayoutIDs.h"

inline constexpr int32_t kMaxPagesPerSpread = 10;

struct PageSetupValues {
  double pageWidth = 612;
  double pageHeight = 792;
  int32_t pagesPerSpread = 1;  // 1 .. kMaxPagesPerSpread
  // With facing pages the first spread holds page 1 alone; the others hold pagesPerSpread pages.
  bool facing = false;
  Margins margins;
  int32_t columns = 1;
  double gutter = 12;
  FrameOptions frameDefaults;
  bool operator==(const PageSetupValues&) const = default;
  // An empty text when the values are acceptable, else what is wrong with them.
  const char* Fault() const;
};

class IPageSetup : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPAGESETUP.Get() };
  virtual const PageSetupValues& Get() const = 0;
  virtual void Set(const PageSetupValues& values) = 0;
  virtual bool IsLayoutSuspended() const = 0;
  virtual void SetLayoutSuspended(bool suspended) = 0;
  // The number of pages the spread at document position `spreadIndex` holds when the pages are evenly
  // distributed (facing pages: 1 for the first spread).
  int32_t PagesInSpread(int32_t spreadIndex) const {
    const PageSetupValues& v = Get();
    return v.facing && spreadIndex == 0 ? 1 : v.pagesPerSpread;
  }
};
