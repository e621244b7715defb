// ILayerList: the document's layers (on the document object), front-most last, and the active layer new
// items go to. IDocumentLayer: one layer's name, visibility and lock.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/LayoutIDs.h"

class ILayerList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ILAYERLIST.Get() };
  virtual int32_t CountLayers() const = 0;
  virtual UID GetNthLayer(int32_t index) const = 0;
  virtual int32_t IndexOfLayer(UID layer) const = 0;
  // kInvalidUID when the document has no layers.
  virtual UID GetActiveLayer() const = 0;
  virtual void SetActiveLayer(UID layer) = 0;
  virtual void InsertLayer(UID layer, int32_t at) = 0;
  virtual void RemoveLayer(UID layer) = 0;
};

class IDocumentLayer : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IDOCUMENTLAYER.Get() };
  virtual const WideString& GetName() const = 0;
  virtual void SetName(const WideString& name) = 0;
  virtual bool IsVisible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool IsLocked() const = 0;
  virtual void SetLocked(bool locked) = 0;
};
