// FontFamily: the persistent IFontFamily of a font-family object in a document.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/res/IFontFamily.h"

struct FontFamilyInfo;

class FontFamily final : public CPMUnknown<IFontFamily> {
 public:
  explicit FontFamily(Boss* boss) : CPMUnknown(boss) {}
  WideString GetFamilyName() const override { return name_; }
  bool IsMissing() const override { return Info() == nullptr; }
  int32_t CountFaces() const override;
  WideString GetNthFaceName(int32_t index) const override;
  bool HasFace(const WideString& face) const override { return GetFace(face) != nullptr; }
  WideString GetRegularFaceName() const override;
  WideString GetFullName(const WideString& face, int32_t form) const override;
  WideString GetVariant(const WideString& face, int32_t bits) const override;
  const FontFace* GetFace(const WideString& face) const override;
  void SetFamilyName(const WideString& name) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  const FontFamilyInfo* Info() const;
  WideString name_;
};
