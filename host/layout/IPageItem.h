// IPageItem: what every page item has: bounds in the coordinates of its spread, a transform about the
// bounds' centre, a label and key/value labels, a lock, the master item it is a local copy of, and for a
// graphic frame whether it holds graphic content.
#pragma once

#include <utility>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/Geometry.h"
#include "host/layout/LayoutIDs.h"

struct ItemLabels {
  WideString label;
  std::vector<std::pair<WideString, WideString>> keyed;  // in the order they were set, keys unique
  bool operator==(const ItemLabels&) const = default;
};

class IPageItem : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPAGEITEM.Get() };
  virtual const PMRect& GetBounds() const = 0;
  virtual void SetBounds(const PMRect& bounds) = 0;
  virtual const ItemTransform& GetTransform() const = 0;
  virtual void SetTransform(const ItemTransform& transform) = 0;
  virtual const ItemLabels& GetLabels() const = 0;
  virtual void SetLabels(const ItemLabels& labels) = 0;
  virtual bool IsLocked() const = 0;
  virtual void SetLocked(bool locked) = 0;
  // kInvalidUID unless the item is an override's local copy.
  virtual UID GetOverrideOf() const = 0;
  virtual void SetOverrideOf(UID masterItem) = 0;
  virtual bool HasGraphicContent() const = 0;
  virtual void SetGraphicContent(bool graphic) = 0;
};
