// The installed fonts.
#include "host/res/FontCatalog.h"

namespace {

struct FaceDef {
  const char16_t* name;
  int32_t weight;
  bool italic;
  FontStretch stretch = FontStretch::kNormal;
};

struct FamilyDef {
  const char16_t* name;
  FontDesign design;
  std::vector<FaceDef> faces;  // the first is the family's plain face
};

constexpr FontStretch kCond = FontStretch::kCondensed;
constexpr FontStretch kNarrow = FontStretch::kNarrow;

// The families vary in how their faces are named, so that face matching meets every convention: plain faces
// called Regular, Roman, Book or Normal, Oblique beside Italic, names run together without spaces, width
// words, semibold and light weights, and families that lack a bold or an italic.
std::vector<FamilyDef> Definitions() {
  return {
      {u"Halden Serif",
       FontDesign::kSerif,
       {{u"Regular", 400, false},
        {u"Italic", 400, true},
        {u"Semibold", 600, false},
        {u"Semibold Italic", 600, true},
        {u"Bold", 700, false},
        {u"Bold Italic", 700, true}}},
      {u"Tarn Sans",
       FontDesign::kSans,
       {{u"Roman", 400, false},
        {u"Oblique", 400, true},
        {u"Bold", 700, false},
        {u"Bold Oblique", 700, true},
        {u"Condensed", 400, false, kCond},
        {u"Bold Condensed", 700, false, kCond},
        {u"Black", 900, false}}},
      {u"Vesper",
       FontDesign::kSerif,
       {{u"Book", 400, false},
        {u"Book Italic", 400, true},
        {u"Light", 300, false},
        {u"Light Italic", 300, true},
        {u"Bold", 700, false},
        {u"Bold Italic", 700, true}}},
      {u"Quill Script", FontDesign::kScript, {{u"Regular", 400, false}, {u"Italic", 400, true}}},
      {u"Kaari",
       FontDesign::kSans,
       {{u"Regular", 400, false},
        {u"Oblique", 400, true},
        {u"Light", 300, false},
        {u"LightOblique", 300, true},
        {u"Bold", 700, false},
        {u"BoldOblique", 700, true}}},
      {u"Orbit Grotesk",
       FontDesign::kSans,
       {{u"Normal", 400, false},
        {u"Italic", 400, true},
        {u"Bold", 700, false},
        {u"Bold Italic", 700, true},
        {u"Narrow", 400, false, kNarrow},
        {u"Narrow Bold", 700, false, kNarrow}}},
      {u"Ardent",
       FontDesign::kSerif,
       {{u"Regular MS", 400, false},
        {u"Italic", 400, true},
        {u"Bold", 700, false},
        {u"Bold Italic", 700, true}}},
      {u"Lumen Mono", FontDesign::kMono, {{u"Regular", 400, false}, {u"Bold", 700, false}}},
  };
}

}  // namespace

const FontCatalog& FontCatalog::Get() {
  static const FontCatalog catalog;
  return catalog;
}

FontCatalog::FontCatalog() {
  for (const FamilyDef& def : Definitions()) {
    FontFamilyInfo family{def.name, {}, 0};
    for (const FaceDef& face : def.faces)
      family.faces.emplace_back(def.name, face.name, face.weight, face.italic, face.stretch, def.design);
    families_.push_back(std::move(family));
  }
}

const FontFamilyInfo* FontCatalog::FindFamily(std::u16string_view name) const {
  for (const auto& family : families_) {
    if (family.name == name) return &family;
  }
  return nullptr;
}

const FontFace* FontCatalog::FindFace(std::u16string_view familyName, std::u16string_view face) const {
  const FontFamilyInfo* family = FindFamily(familyName);
  if (!family) return nullptr;
  for (const auto& f : family->faces) {
    if (f.GetFaceName() == face) return &f;
  }
  return nullptr;
}

const FontFace* FontCatalog::FindByFullName(std::u16string_view name) const {
  for (const auto& family : families_) {
    for (const auto& face : family.faces) {
      if (face.GetFullName() == name || face.GetPostScriptName() == name) return &face;
    }
  }
  return nullptr;
}

const FontFace* FontCatalog::FindVariant(const FontFace& face, int32_t bits) const {
  const FontFamilyInfo* family = FindFamily(face.GetFamilyName());
  if (!family) return nullptr;
  bool bold = (bits & 1) != 0;
  bool italic = (bits & 2) != 0;
  int32_t weight = bold == face.IsBold() ? face.GetWeight() : (bold ? kBoldWeight : kRegularWeight);
  for (const auto& f : family->faces) {
    if (f.GetStretch() == face.GetStretch() && f.IsItalic() == italic && f.GetWeight() == weight) return &f;
  }
  return nullptr;
}
