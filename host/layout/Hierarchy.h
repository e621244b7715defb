// Hierarchy and SpreadLayer: the persistent IHierarchy and ISpreadLayer implementations.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IHierarchy.h"

class Hierarchy final : public CPMUnknown<IHierarchy> {
 public:
  explicit Hierarchy(Boss* boss) : CPMUnknown(boss) {}
  UID GetParent() const override { return parent_; }
  void SetParent(UID parent) override;
  const std::vector<UID>& GetChildren() const override { return children_; }
  int32_t IndexOfChild(UID child) const override;
  void InsertChild(UID child, int32_t at) override;
  void RemoveChild(UID child) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID parent_;
  std::vector<UID> children_;
};

class SpreadLayer final : public CPMUnknown<ISpreadLayer> {
 public:
  explicit SpreadLayer(Boss* boss) : CPMUnknown(boss) {}
  UID GetDocumentLayer() const override { return layer_; }
  void SetDocumentLayer(UID layer) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  UID layer_;
};
