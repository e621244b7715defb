// LayerList and DocumentLayer: the persistent ILayerList (on the document object) and IDocumentLayer
// implementations.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/layout/ILayerList.h"

class LayerList final : public CPMUnknown<ILayerList> {
 public:
  explicit LayerList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountLayers() const override { return static_cast<int32_t>(layers_.size()); }
  UID GetNthLayer(int32_t index) const override;
  int32_t IndexOfLayer(UID layer) const override;
  UID GetActiveLayer() const override { return active_; }
  void SetActiveLayer(UID layer) override;
  void InsertLayer(UID layer, int32_t at) override;
  void RemoveLayer(UID layer) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> layers_;
  UID active_;
};

class DocumentLayer final : public CPMUnknown<IDocumentLayer> {
 public:
  explicit DocumentLayer(Boss* boss) : CPMUnknown(boss) {}
  const WideString& GetName() const override { return name_; }
  void SetName(const WideString& name) override;
  bool IsVisible() const override { return visible_; }
  void SetVisible(bool visible) override;
  bool IsLocked() const override { return locked_; }
  void SetLocked(bool locked) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  WideString name_;
  bool visible_ = true;
  bool locked_ = false;
};
