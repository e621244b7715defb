// FontCatalog: the fonts installed in the application: families, each with its faces and its plain face, the
// same on every machine.
#pragma once

#include <string_view>
#include <vector>

#include "host/res/FontFace.h"

struct FontFamilyInfo {
  WideString name;
  std::vector<FontFace> faces;  // in the family's own order
  size_t regularFace = 0;       // the family's plain face ("Regular", "Roman", "Book" ...)
};

class FontCatalog {
 public:
  static const FontCatalog& Get();

  const std::vector<FontFamilyInfo>& GetFamilies() const { return families_; }
  // Each answers nullptr when there is no such family or face; names are compared exactly.
  const FontFamilyInfo* FindFamily(std::u16string_view name) const;
  const FontFace* FindFace(std::u16string_view family, std::u16string_view face) const;
  // A face by its full name in either form ("Kaari Bold", "Kaari-Bold").
  const FontFace* FindByFullName(std::u16string_view name) const;
  // The face of `face`'s family and width that is bold when bit 0 of `bits` is set and italic when bit 1 is:
  // the weight stays unless boldness changes, then it becomes the family's regular or bold weight.
  // nullptr when the family has no such face.
  const FontFace* FindVariant(const FontFace& face, int32_t bits) const;

 private:
  FontCatalog();
  std::vector<FontFamilyInfo> families_;
};
