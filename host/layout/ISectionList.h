// ISectionList: the document's sections (on the document object). A section starts at a page and runs to
// the next section's first page; a page's number is its 1-based position in its section. The first
// document page always starts a section, whether or not the list names it.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/LayoutIDs.h"

struct Section {
  UID firstPage;
  WideString name;
  bool operator==(const Section&) const = default;
};

class ISectionList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISECTIONLIST.Get() };
  // In the order of their first pages.
  virtual const std::vector<Section>& GetSections() const = 0;
  virtual void SetSections(std::vector<Section> sections) = 0;
};
