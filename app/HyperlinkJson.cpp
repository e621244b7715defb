// The hyperlink members of a document's JSON description.
#include "app/HyperlinkJson.h"

#include "host/layout/HyperlinkUtils.h"
#include "host/res/ISwatch.h"
#include "host/text/AttributeValue.h"
#include "host/text/IStyleInfo.h"

namespace pagehost {
namespace {

constexpr const char* kZoomNames[] = {"fixed",      "fit-view",    "fit-window", "fit-width",
                                      "fit-height", "fit-visible", "inherit"};
constexpr const char* kHighlightNames[] = {"none", "invert", "outline", "inset"};
constexpr const char* kWidthNames[] = {"", "thin", "medium", "thick"};

std::string Quoted(const char* text) {
  return std::string("\"") + text + "\"";
}

std::string AnchorName(IDataBase& db, UID anchor) {
  auto data = db.IsValidUID(anchor) ? Instantiate<ITextAnchor>(&db, anchor) : InterfacePtr<ITextAnchor>();
  return data ? JsonQuote(data->GetName()) : "null";
}

// The name of the style or swatch `uid`; null for none.
template <class Named>
std::string NameOrNull(IDataBase& db, UID uid) {
  auto named = uid.IsValid() && db.IsValidUID(uid) ? Instantiate<Named>(&db, uid) : InterfacePtr<Named>();
  return named ? JsonQuote(named->GetName()) : "null";
}

std::string SourceJson(IDataBase& db, const HyperlinkSource& s) {
  switch (s.kind) {
    case SourceKind::kText:
      return "{\"kind\":\"text\",\"story\":" + std::to_string(s.story.Get()) +
             ",\"start\":" + std::to_string(s.start) + ",\"end\":" + std::to_string(s.end) +
             ",\"characterStyle\":" + NameOrNull<IStyleInfo>(db, s.characterStyle) + "}";
    case SourceKind::kItem:
      return "{\"kind\":\"item\",\"item\":" + std::to_string(s.item.Get()) + "}";
    case SourceKind::kTextAnchor:
      return "{\"kind\":\"anchor\",\"anchor\":" + AnchorName(db, s.anchor) + "}";
  }
  return "null";
}

std::string HyperlinkJson(IDataBase& db, const IHyperlinkTable& table, const Hyperlink& h) {
  const HyperlinkDestination* to = table.FindDestination(h.destination);
  const HyperlinkAppearance& a = h.appearance;
  return "{\"name\":" + JsonQuote(h.name) + ",\"visible\":" + (h.visible ? "true" : "false") +
         ",\"source\":" + SourceJson(db, h.source) +
         ",\"destination\":" + (to ? JsonQuote(to->name) : "null") +
         ",\"appearance\":{\"highlight\":" + Quoted(kHighlightNames[a.highlight]) +
         ",\"borderWidth\":" + Quoted(kWidthNames[a.borderWidth]) +
         ",\"borderStyle\":" + Quoted(a.borderStyle == 0 ? "solid" : "dashed") +
         ",\"borderColor\":" + NameOrNull<ISwatch>(db, a.borderColor) + "}}";
}

std::string DestinationJson(IDataBase& db, const HyperlinkDestination& d) {
  std::string json = "{\"name\":" + JsonQuote(d.name);
  switch (d.kind) {
    case DestinationKind::kURL:
      return json + ",\"kind\":\"url\",\"url\":" + JsonQuote(d.url) + "}";
    case DestinationKind::kPage: {
      int32_t index = HyperlinkUtils::DestinationPageIndex(&db, d);
      json += ",\"kind\":\"page\",\"page\":" + (index < 0 ? std::string("null") : std::to_string(index + 1));
      json += ",\"zoom\":" + Quoted(kZoomNames[static_cast<int>(d.zoom)]);
      return json + (d.zoom == PageZoom::kFixed ? ",\"zoomPercent\":" + JsonNumber(d.zoomPercent) : "") + "}";
    }
    case DestinationKind::kTextAnchor:
      return json + ",\"kind\":\"anchor\",\"anchor\":" + AnchorName(db, d.anchor) + "}";
  }
  return json + "}";
}

std::string AnchorJson(IDataBase& db, UID anchor) {
  auto data = Instantiate<ITextAnchor>(&db, anchor);
  if (!data) return "null";
  return "{\"name\":" + JsonQuote(data->GetName()) +
         ",\"page\":" + (data->IsPageAnchor() ? "true" : "false") +
         ",\"story\":" + std::to_string(data->GetStory().Get()) +
         ",\"position\":" + std::to_string(HyperlinkUtils::TextAnchorPosition(&db, anchor)) + "}";
}

template <class List, class Each>
std::string Array(const List& list, Each each) {
  std::string json = "[";
  for (const auto& entry : list)
    json += (json.size() > 1 ? "," : "") + each(entry);
  return json + "]";
}

}  // namespace

std::string HyperlinkMembers(IDataBase& db) {
  auto table = HyperlinkUtils::QueryTable(&db);
  if (!table) return {};
  return ",\"hyperlinks\":" +
         Array(table->GetHyperlinks(), [&](const Hyperlink& h) { return HyperlinkJson(db, *table, h); }) +
         ",\"destinations\":" +
         Array(table->GetDestinations(),
               [&](const HyperlinkDestination& d) { return DestinationJson(db, d); }) +
         ",\"textAnchors\":" + Array(table->GetTextAnchors(), [&](UID a) { return AnchorJson(db, a); });
}

}  // namespace pagehost
