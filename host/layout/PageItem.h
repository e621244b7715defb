// PageItem: the persistent IPageItem implementation.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IPageItem.h"

class PageItem final : public CPMUnknown<IPageItem> {
 public:
  explicit PageItem(Boss* boss) : CPMUnknown(boss) {}
  const PMRect& GetBounds() const override { return bounds_; }
  void SetBounds(const PMRect& bounds) override;
  const ItemTransform& GetTransform() const override { return transform_; }
  void SetTransform(const ItemTransform& transform) override;
  const ItemLabels& GetLabels() const override { return labels_; }
  void SetLabels(const ItemLabels& labels) override;
  bool IsLocked() const override { return locked_; }
  void SetLocked(bool locked) override;
  UID GetOverrideOf() const override { return overrideOf_; }
  void SetOverrideOf(UID masterItem) override;
  bool HasGraphicContent() const override { return graphic_; }
  void SetGraphicContent(bool graphic) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  PMRect bounds_;
  ItemTransform transform_;
  ItemLabels labels_;
  bool locked_ = false;
  UID overrideOf_;
  bool graphic_ = false;
};
