// Run metrics from a story's attributes.
#include "host/compose/RunFont.h"

#include "host/core/InterfacePtr.h"
#include "host/res/FontCatalog.h"
#include "host/res/IFontFamily.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"

double RunFont::Advance(char32_t c) const {
  return face->GetAdvance(c) * pointSize * horizontalScale / 1000 + (tracking + kerning) * pointSize;
}

double RunFont::Leading() const {
  if (leading < 0) return pointSize * 1.2;
  if (leading >= kRelativeLeadingBase) return pointSize + (leading - kRelativeLeadingBase);
  return leading;
}

double ResolveNumber(const ITextModel* story, int32_t position, ClassID cls, double fallback) {
  return ResolveNumber(
      AttributeResolver::PlaceAt(story, position, !AttributeClasses::IsParagraphAttribute(cls)), cls,
      fallback);
}

double ResolveNumber(const AttributeResolver::Place& place, ClassID cls, double fallback) {
  auto resolved = AttributeResolver::Resolve(place, cls);
  if (!resolved) return fallback;
  if (const auto* real = std::get_if<double>(&resolved->value)) return *real;
  if (const auto* i32 = std::get_if<int32_t>(&resolved->value)) return *i32;
  if (const auto* i16 = std::get_if<int16_t>(&resolved->value)) return *i16;
  if (const auto* flag = std::get_if<bool>(&resolved->value)) return *flag ? 1 : 0;
  return fallback;
}

const FontFace* DefaultFace() {
  const auto& families = FontCatalog::Get().GetFamilies();
  if (families.empty() || families[0].faces.empty()) return nullptr;
  return &families[0].faces[families[0].regularFace];
}

namespace {

const FontFace* ResolveFace(const AttributeResolver::Place& place) {
  auto family = AttributeResolver::Resolve(place, kTextAttrFontFamily);
  auto faceName = AttributeResolver::Resolve(place, kTextAttrFontStyle);
  const UID* familyUID = family ? std::get_if<UID>(&family->value) : nullptr;
  const WideString* name = faceName ? std::get_if<WideString>(&faceName->value) : nullptr;
  const IDataBase* db = place.db;
  if (!db || !familyUID || *familyUID == kInvalidUID) return DefaultFace();
  auto fontFamily = Instantiate<IFontFamily>(db, *familyUID);
  if (!fontFamily) return DefaultFace();
  const FontFace* face = name ? fontFamily->GetFace(*name) : nullptr;
  if (!face) face = fontFamily->GetFace(fontFamily->GetRegularFaceName());
  return face ? face : DefaultFace();
}

}  // namespace

RunFont ResolveRunFont(const ITextModel* story, int32_t position) {
  return ResolveRunFont(AttributeResolver::PlaceAt(story, position));
}

RunFont ResolveRunFont(const AttributeResolver::Place& place) {
  RunFont font;
  font.face = ResolveFace(place);
  font.pointSize = ResolveNumber(place, kTextAttrPointSize, 12.0);
  font.horizontalScale = ResolveNumber(place, kTextAttrHorizontalScale, 1.0);
  font.tracking = ResolveNumber(place, kTextAttrTracking, 0.0);
  double kerning = ResolveNumber(place, kTextAttrKerningValue, 0.0);
  font.kerning = kerning >= kKerningByMethod ? 0 : kerning;
  font.leading = ResolveNumber(place, kTextAttrLeading, kAutoLeading);
  return font;
}
