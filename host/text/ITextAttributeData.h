// ITextAttributeData: what the override commands apply or clear: the strand, the attributes to apply, and
// the classes to clear (none: every override).
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/text/AttributeBossList.h"
#include "host/text/ITextModel.h"

class ITextAttributeData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTATTRIBUTEDATA.Get() };
  virtual void SetStrand(TextStrand strand) = 0;
  virtual TextStrand GetStrand() const = 0;
  virtual void SetAttributes(const AttributeBossList& attributes) = 0;
  virtual const AttributeBossList& GetAttributes() const = 0;
  virtual void SetClasses(std::vector<ClassID> classes) = 0;
  virtual const std::vector<ClassID>& GetClasses() const = 0;
};
