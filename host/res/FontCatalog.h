// FontCatalog: the faces installed on the machine, as fontconfig lists them, grouped into families, each with
// its plain face. PAGEHOST_FONT_CONFIG may name a fontconfig configuration file to read instead of the
// system's, so that a program (the tests, a build server) sees exactly the fonts that file lists.
#pragma once

#include <map>
#include <mutex>
#include <string_view>
#include <vector>

#include "host/res/FontFace.h"

struct FontFamilyInfo {
  WideString name;
  std::vector<FontFace> faces;  // plain face first, then by width, weight and slant
  size_t regularFace = 0;       // the family's plain face ("Regular", "Roman", "Book" ...)
};

struct _FcConfig;

class FontCatalog {
 public:
  static const FontCatalog& Get();
  ~FontCatalog();

  // Families in name order.
  const std::vector<FontFamilyInfo>& GetFamilies() const { return families_; }
  // Each answers nullptr when there is no such family or face; names are compared exactly.
  const FontFamilyInfo* FindFamily(std::u16string_view name) const;
  const FontFace* FindFace(std::u16string_view family, std::u16string_view face) const;
  // A face by its full name in either form ("DejaVu Sans Bold", "DejaVuSans-Bold").
  const FontFace* FindByFullName(std::u16string_view name) const;
  // The face of `face`'s family and width that is bold when bit 0 of `bits` is set and italic when bit 1 is:
  // the weight stays unless boldness changes, then it becomes the family's regular or bold weight.
  // nullptr when the family has no such face.
  const FontFace* FindVariant(const FontFace& face, int32_t bits) const;
  // The usable face fontconfig chooses in place of `family` `face` (a family or face that is not installed,
  // or whose file cannot be read): the nearest in weight, slant and width. Never null: an inert face when
  // nothing is installed.
  const FontFace* Substitute(std::u16string_view family, std::u16string_view face) const;
  // The face text takes when it names no font: the substitute for "serif".
  const FontFace* DefaultFace() const;

 private:
  FontCatalog();
  const FontFace* FindFile(const std::string& path, int32_t index) const;
  const FontFace* FirstUsable() const;

  _FcConfig* config_ = nullptr;
  std::vector<FontFamilyInfo> families_;
  mutable std::mutex mutex_;
  mutable std::map<std::u16string, const FontFace*> substitutes_;
  FontFace inert_;
};
