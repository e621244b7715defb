// IHierarchy: a node of the layout hierarchy (spread -> spread layer -> group -> item): its parent and its
// children, back-most first. The changing operations are for the layout commands.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/LayoutIDs.h"

// The deepest a page item may lie: 1 for a child of a spread layer (or an item anchored in text), one more
// for each group around it. The commands refuse deeper trees and a document holding one is taken as
// damaged when read.
inline constexpr int32_t kMaxItemDepth = 32;

class IHierarchy : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IHIERARCHY.Get() };
  virtual UID GetParent() const = 0;
  virtual void SetParent(UID parent) = 0;
  virtual const std::vector<UID>& GetChildren() const = 0;
  virtual int32_t IndexOfChild(UID child) const = 0;
  // `at` -1 or past the end appends (in front of the others).
  virtual void InsertChild(UID child, int32_t at) = 0;
  virtual void RemoveChild(UID child) = 0;
};

// ISpreadLayer: the document layer a spread layer stands for.
class ISpreadLayer : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISPREADLAYER.Get() };
  virtual UID GetDocumentLayer() const = 0;
  virtual void SetDocumentLayer(UID layer) = 0;
};
