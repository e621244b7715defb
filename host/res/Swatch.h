// Swatch: the persistent ISwatch of a swatch object in a document.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/InterfacePtr.h"
#include "host/res/ISwatch.h"

class Swatch final : public CPMUnknown<ISwatch> {
 public:
  explicit Swatch(Boss* boss) : CPMUnknown(boss) {}
  SwatchKind GetKind() const override { return kind_; }
  WideString GetName() const override;
  ColorValue GetColor() const override;
  UID GetTintBase() const override { return kind_ == SwatchKind::kTint ? base_ : kInvalidUID; }
  double GetTint() const override { return kind_ == SwatchKind::kTint ? tint_ : 100.0; }
  bool IsReserved() const override { return reserved_; }

  void SetColor(SwatchKind kind, const WideString& name, const ColorValue& color) override;
  void SetTint(UID base, double tint) override;
  void SetReserved(bool reserved) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  InterfacePtr<ISwatch> QueryBase() const;

  SwatchKind kind_ = SwatchKind::kColor;
  WideString name_;
  ColorValue color_;
  UID base_;
  double tint_ = 100.0;
  bool reserved_ = false;
};

// "50" for 50, "12.5" for 12.5: how a tint shows in a tint swatch's name.
WideString FormatTintPercent(double tint);
