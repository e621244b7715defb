// How items look, as JSON.
#include "app/ItemLookJson.h"

#include <cmath>
#include <utility>

#include "app/LayoutJson.h"
#include "host/layout/IGraphicAttributes.h"
#include "host/layout/ITextWrap.h"
#include "host/layout/ItemLook.h"
#include "host/res/IStrokeStyle.h"
#include "host/res/ISwatch.h"
#include "host/res/LineEndStyles.h"
#include "host/text/AttributeValue.h"

namespace pagehost {
namespace {

const char* EnumName(GraphicAttr cls, int32_t v) {
  static const char* const kAlignments[] = {"center", "inside", "outside"};
  static const char* const kCaps[] = {"butt", "round", "projecting"};
  static const char* const kCorners[] = {"fancy", "bevel", "inset", "inverse-rounded", "rounded"};
  switch (cls) {
    case GraphicAttr::kStrokeAlignment:
      return kAlignments[v];
    case GraphicAttr::kEndCap:
      return kCaps[v];
    case GraphicAttr::kCornerEffect:
      return v == 0 ? "none" : kCorners[v - static_cast<int32_t>(CornerEffect::kFancy)];
    default:
      return nullptr;
  }
}

std::string ValueJson(IDataBase& db, const GraphicAttribute& a) {
  switch (FindGraphicAttr(a.cls)->kind) {
    case GraphicValueKind::kSwatch: {
      auto swatch = Instantiate<ISwatch>(&db, a.ref);
      return swatch ? JsonQuote(swatch->GetName()) : "null";
    }
    case GraphicValueKind::kStrokeStyle: {
      auto style = Instantiate<IStrokeStyle>(&db, a.ref);
      return style ? JsonQuote(style->GetName()) : "null";
    }
    case GraphicValueKind::kSwitch:
      return a.number != 0 ? "true" : "false";
    case GraphicValueKind::kEnum: {
      auto v = static_cast<int32_t>(a.number);
      if (a.cls == GraphicAttr::kLineStart || a.cls == GraphicAttr::kLineEnd)
        return JsonQuote(LineEndStyles::GetName(static_cast<LineEnd>(v)));
      return std::string("\"") + EnumName(a.cls, v) + "\"";
    }
    default:
      return JsonNumber(a.number);  // a tint that is not a number (100 %) writes null
  }
}

std::string AttributesJson(IDataBase& db, const GraphicAttributeList& list) {
  std::string json = "{";
  const char* separator = "";
  for (const GraphicAttrInfo& info : GraphicAttrInfos()) {
    if (const GraphicAttribute* a = list.Find(info.cls))
      json += std::exchange(separator, ",") + std::string("\"") + info.name + "\":" + ValueJson(db, *a);
  }
  return json + "}";
}

std::string WrapJson(const TextWrapSettings& w) {
  return std::string("{\"mode\":\"") + WrapModeName(w.mode) + "\",\"side\":\"" + WrapSideName(w.side) +
         "\",\"invert\":" + (w.invert ? "true" : "false") + ",\"offsets\":[" + JsonNumber(w.Top()) + "," +
         JsonNumber(w.Left()) + "," + JsonNumber(w.Bottom()) + "," + JsonNumber(w.Right()) +
         "],\"contour\":{\"type\":" + std::to_string(w.contour.type) +
         ",\"includeInsideEdges\":" + (w.contour.includeInsideEdges ? "true" : "false") +
         ",\"tolerance\":" + std::to_string(w.contour.tolerance) +
         ",\"threshold\":" + JsonNumber(w.contour.threshold) +
         ",\"index\":" + std::to_string(w.contour.index) + "}}";
}

std::string StyleName(IDataBase& db, ObjectStyleID id) {
  auto list = ItemLook::QueryStyleList(&db);
  const ObjectStyle* style = list ? list->FindStyle(id) : nullptr;
  return style ? JsonQuote(style->name) : "null";
}

std::string CategoriesJson(uint32_t categories) {
  static const char* const kNames[] = {"fill",         "stroke", "corners",       "wrap",
                                       "frameOptions", "insets", "anchoredObject"};
  std::string json = "[";
  const char* separator = "";
  for (size_t i = 0; i < std::size(kNames); ++i) {
    if (categories & (1u << i)) json += std::exchange(separator, ",") + std::string("\"") + kNames[i] + "\"";
  }
  return json + "]";
}

}  // namespace

std::string ItemLookMembers(IDataBase& db, UID item) {
  auto attributes = Instantiate<IGraphicAttributes>(&db, item);
  auto wrap = Instantiate<ITextWrap>(&db, item);
  if (!attributes || !wrap) return {};
  std::string overrides = "[";
  const char* separator = "";
  for (const GraphicAttrInfo& info : GraphicAttrInfos()) {
    if (ItemLook::Overrides(&db, item, info.cls))
      overrides += std::exchange(separator, ",") + std::string("\"") + info.name + "\"";
  }
  if (ItemLook::OverridesWrap(&db, item)) overrides += std::string(separator) + "\"wrap\"";
  return ",\"attributes\":" + AttributesJson(db, attributes->GetAttributes()) +
         ",\"objectStyle\":" + StyleName(db, ItemLook::StyleOfItem(&db, item)) +
         ",\"overrides\":" + overrides + "],\"wrap\":" + WrapJson(wrap->GetWrap());
}

std::string ObjectStylesMember(IDataBase& db) {
  auto list = ItemLook::QueryStyleList(&db);
  if (!list) return {};
  std::string json = ",\"objectStyles\":[";
  const char* separator = "";
  for (const ObjectStyle& s : list->GetStyles()) {
    json += std::exchange(separator, ",") + std::string("{\"id\":") + std::to_string(s.id) +
            ",\"name\":" + JsonQuote(s.name) + ",\"basedOn\":" + StyleName(db, s.basedOn) +
            ",\"categories\":" + CategoriesJson(s.categories) +
            ",\"attributes\":" + AttributesJson(db, s.attributes) +
            (s.Governs(kTextWrapCategory) ? ",\"wrap\":" + WrapJson(s.wrap) : "") + "}";
  }
  return json + "]";
}

}  // namespace pagehost
