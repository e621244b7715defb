// IGraphicAttributes: the graphic attributes a page item has of its own (those it lacks come from its object
// style, see ObjectStyleUtils).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/layout/GraphicAttributes.h"
#include "host/layout/GraphicIDs.h"

class IGraphicAttributes : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IGRAPHICATTRIBUTES.Get() };
  virtual const GraphicAttributeList& GetAttributes() const = 0;
  virtual void SetAttributes(const GraphicAttributeList& attributes) = 0;
};
