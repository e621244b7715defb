// IObjectStyleList: a document's object styles (on the document), its three defaults first.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/GraphicIDs.h"
#include "host/layout/ObjectStyle.h"

class IObjectStyleList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IOBJECTSTYLELIST.Get() };
  // In the order they were made.
  virtual const std::vector<ObjectStyle>& GetStyles() const = 0;
  // Null when no style has `id`.
  virtual const ObjectStyle* FindStyle(ObjectStyleID id) const = 0;
  // The style named `name` exactly; kInvalidObjectStyle when none is.
  virtual ObjectStyleID FindStyleByName(const WideString& name) const = 0;
  // For the object style commands: adds `style` under a new id, which it answers
  // (kInvalidObjectStyle when the document refuses the change).
  virtual ObjectStyleID AddStyle(ObjectStyle style) = 0;
};
