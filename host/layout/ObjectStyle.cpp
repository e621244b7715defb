// Object styles and the defaults every document has.
#include "host/layout/ObjectStyle.h"

#include "host/db/IPMStream.h"
#include "host/layout/LayoutStreams.h"

namespace {

constexpr const char* kKindNames[] = {"general", "graphic", "text"};
constexpr uint32_t kLookCategories = kFillCategory | kStrokeCategory | kCornerCategory | kTextWrapCategory;

ObjectStyle DefaultStyle(ObjectStyleID id, const char16_t* name, double strokeWeight) {
  ObjectStyle style;
  style.id = id;
  style.name = name;
  style.basedOn = id == kNoneObjectStyle ? kInvalidObjectStyle : kNoneObjectStyle;
  style.categories = kLookCategories;
  style.attributes.Set({GraphicAttr::kStrokeWeight, strokeWeight});
  if (id == kNoneObjectStyle) {
    style.attributes.Set({GraphicAttr::kCornerEffect, 0});
    style.attributes.Set({GraphicAttr::kFillTint, 100});
    style.attributes.Set({GraphicAttr::kStrokeTint, 100});
    style.attributes.Set({GraphicAttr::kOverprintFill, 0});
  }
  return style;
}

}  // namespace

const char* ObjectStyleKindName(ObjectStyleKind kind) {
  return kKindNames[static_cast<size_t>(kind)];
}

bool ObjectStyleKindOfName(const std::string& name, ObjectStyleKind& kind) {
  for (size_t i = 0; i < std::size(kKindNames); ++i) {
    if (name == kKindNames[i]) {
      kind = static_cast<ObjectStyleKind>(i);
      return true;
    }
  }
  return false;
}

ObjectStyleID DefaultObjectStyle(ObjectStyleKind kind) {
  switch (kind) {
    case ObjectStyleKind::kGraphic:
      return kGraphicFrameObjectStyle;
    case ObjectStyleKind::kText:
      return kTextFrameObjectStyle;
    default:
      return kNoneObjectStyle;
  }
}

std::vector<ObjectStyle> DefaultObjectStyles() {
  return {DefaultStyle(kNoneObjectStyle, u"[None]", 0),
          DefaultStyle(kGraphicFrameObjectStyle, u"[Basic Graphics Frame]", 1),
          DefaultStyle(kTextFrameObjectStyle, u"[Basic Text Frame]", 0)};
}

void XferObjectStyle(IPMStream* stream, ObjectStyle& style) {
  stream->XferString(style.name);
  stream->XferInt32(style.basedOn);
  stream->XferUInt32(style.categories);
  LayoutStreams::Expect(stream, (style.categories & ~kAllObjectStyleCategories) == 0,
                        "an object style's categories", "are out of range");
  style.attributes.ReadWrite(stream, "an object style's graphic attributes");
  XferTextWrap(stream, style.wrap, "an object style's text wrap");
  XferFrameOptions(stream, style.frame);
}
