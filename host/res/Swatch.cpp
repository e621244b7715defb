// The swatch object.
#include "host/res/Swatch.h"

#include <cmath>
#include <cstdio>

#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"

WideString FormatTintPercent(double tint) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f", std::isfinite(tint) ? tint : 0.0);
  std::string s = text;
  while (s.back() == '0')
    s.pop_back();
  if (s.back() == '.') s.pop_back();
  return WideFromUtf8(s);
}

InterfacePtr<ISwatch> Swatch::QueryBase() const {
  // A damaged document could make a tint its own base; such a tint has no colour.
  if (base_ == GetBossObject()->GetUID()) return {};
  return Instantiate<ISwatch>(GetDataBase(this), base_);
}

WideString Swatch::GetName() const {
  if (kind_ != SwatchKind::kTint) return name_;
  InterfacePtr<ISwatch> base = QueryBase();
  WideString baseName = base && base->GetKind() != SwatchKind::kTint ? base->GetName() : WideString();
  return baseName + u" " + FormatTintPercent(tint_) + u"%";
}

ColorValue Swatch::GetColor() const {
  if (kind_ != SwatchKind::kTint) return color_;
  InterfacePtr<ISwatch> base = QueryBase();
  return base && base->GetKind() != SwatchKind::kTint ? base->GetColor() : ColorValue();
}

void Swatch::SetColor(SwatchKind kind, const WideString& name, const ColorValue& color) {
  if (PreDirty() != kSuccess) return;
  kind_ = kind;
  name_ = name;
  color_ = color;
  base_ = kInvalidUID;
  tint_ = 100.0;
}

void Swatch::SetTint(UID base, double tint) {
  if (PreDirty() != kSuccess) return;
  kind_ = SwatchKind::kTint;
  name_.clear();
  color_ = ColorValue();
  base_ = base;
  tint_ = tint;
}

void Swatch::SetReserved(bool reserved) {
  if (reserved == reserved_) return;
  if (PreDirty() != kSuccess) return;
  reserved_ = reserved;
}

void Swatch::ReadWrite(IPMStream* stream, ImplementationID) {
  auto kind = static_cast<int32_t>(kind_);
  auto space = static_cast<int32_t>(color_.space);
  stream->XferInt32(kind);
  stream->XferString(name_);
  stream->Expect(name_.size() <= kMaxSwatchNameLength, "a swatch's name is too long");
  stream->XferInt32(space);
  for (double& c : color_.components)
    stream->XferFinite(c, "a swatch's colour component");
  stream->XferBool(color_.spot);
  stream->XferReference(base_);
  stream->XferReal(tint_);
  stream->XferBool(reserved_);
  if (stream->IsReading()) {
    // Never an enumerator that does not exist. The tint is left as it is: a tint may come to hold NaN.
    bool kindKnown = stream->Expect(kind >= 0 && kind <= static_cast<int32_t>(SwatchKind::kTint),
                                    "a swatch's kind is out of range");
    kind_ = kindKnown ? static_cast<SwatchKind>(kind) : SwatchKind::kColor;
    bool spaceKnown = stream->Expect(space >= 0 && space <= static_cast<int32_t>(ColorSpace::kLab),
                                     "a swatch's colour space is out of range");
    color_.space = spaceKnown ? static_cast<ColorSpace>(space) : ColorSpace::kCMYK;
  }
}
