// The layout as JSON.
#include "app/LayoutJson.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>

#include "app/HyperlinkJson.h"
#include "app/ItemLookJson.h"
#include "app/PictureJson.h"
#include "host/app/IInspectMemberProvider.h"
#include "host/compose/StoryComposer.h"
#include "host/compose/StoryQueries.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureIDs.h"
#include "host/text/AttributeValue.h"
#include "host/text/ITextModel.h"

namespace pagehost {
namespace {

// The shortest text that reads back as `v`: without an exponent from a millionth up to 10^15 ("100000",
// "0.1"), with one beyond ("1e+305"); null for a value JSON cannot hold.
std::string Num(double v) {
  if (!std::isfinite(v)) return "null";
  double magnitude = std::fabs(v);
  bool plain = magnitude == 0 || (magnitude >= 1e-6 && magnitude < 1e15);
  // Fixed notation of that range needs at most 6 zeros and 17 significant digits, a sign and a point.
  char buffer[32];
  auto written = plain ? std::to_chars(buffer, buffer + sizeof(buffer), v + 0.0, std::chars_format::fixed)
                       : std::to_chars(buffer, buffer + sizeof(buffer), v);
  return written.ec == std::errc() ? std::string(buffer, written.ptr) : "null";
}

std::string Uid(UID uid) {
  return uid.IsValid() ? std::to_string(uid.Get()) : "null";
}

std::string Bool(bool b) {
  return b ? "true" : "false";
}

std::string Rect(const PMRect& r) {
  return "[" + Num(r.left) + "," + Num(r.top) + "," + Num(r.right) + "," + Num(r.bottom) + "]";
}

std::string MarginsJson(const Margins& m) {
  return "[" + Num(m.top) + "," + Num(m.left) + "," + Num(m.bottom) + "," + Num(m.right) + "]";
}

std::string MasterName(IDataBase& db, UID master) {
  auto spread = Instantiate<IMasterSpread>(&db, master);
  return spread ? JsonQuote(spread->GetFullName()) : "null";
}

const char* Kind(ClassID cls) {
  if (cls == kTextFrameBoss) return "textFrame";
  if (cls == kGraphicFrameBoss) return "graphicFrame";
  if (cls == kRectangleBoss) return "rectangle";
  if (cls == kOvalBoss) return "oval";
  if (cls == kLineBoss) return "line";
  if (cls == kGroupBoss) return "group";
  if (cls == kImageItemBoss) return "image";
  return "unknown";
}

std::string TransformJson(const ItemTransform& t) {
  return "{\"scaleX\":" + Num(t.scaleX) + ",\"scaleY\":" + Num(t.scaleY) + ",\"skew\":" + Num(t.skew) +
         ",\"rotation\":" + Num(t.rotation) + ",\"flipHorizontal\":" + Bool(t.flipHorizontal) +
         ",\"flipVertical\":" + Bool(t.flipVertical) + "}";
}

std::string LabelsJson(const ItemLabels& labels) {
  std::string json = "{";
  for (const auto& [key, value] : labels.keyed)
    json += (json.size() > 1 ? "," : "") + JsonQuote(key) + ":" + JsonQuote(value);
  return json + "}";
}

// `,"textHeight":N,"lines":[{"start","end","x","baseline"}...]`: the frame's composed lines, in frame
// coordinates.
std::string LinesJson(IDataBase& db, UID frame) {
  const StoryLayout* layout = StoryComposer::GetLayout(&db, LayoutUtils::StoryOfFrame(&db, frame));
  int32_t index = LayoutUtils::FrameIndex(&db, frame);
  if (!layout || index < 0 || index >= static_cast<int32_t>(layout->frames.size())) return {};
  const ComposedFrame& composed = layout->frames[index];
  std::string json = ",\"textHeight\":" + Num(composed.textHeight) + ",\"lines\":[";
  for (const ComposedLine& line : composed.lines) {
    json += std::string(json.back() == '[' ? "" : ",") + "{\"start\":" + std::to_string(line.start) +
            ",\"end\":" + std::to_string(line.end) + ",\"x\":" + Num(line.x) +
            ",\"baseline\":" + Num(line.baseline) + "}";
  }
  return json + "]";
}

std::string FrameJson(IDataBase& db, UID uid, bool lines) {
  auto frame = Instantiate<ITextFrame>(&db, uid);
  if (!frame) return {};
  const FrameOptions& o = frame->GetOptions();
  return ",\"story\":" + Uid(LayoutUtils::StoryOfFrame(&db, uid)) +
         ",\"frameIndex\":" + std::to_string(LayoutUtils::FrameIndex(&db, uid)) +
         ",\"columns\":" + std::to_string(o.columns) + ",\"gutter\":" + Num(o.gutter) + ",\"insets\":[" +
         Num(o.insets.top) + "," + Num(o.insets.left) + "," + Num(o.insets.bottom) + "," +
         Num(o.insets.right) +
         "],\"verticalJustification\":" + std::to_string(static_cast<int>(o.verticalJustification)) +
         ",\"firstBaseline\":" + std::to_string(FirstBaselineType(o.firstBaseline)) +
         ",\"firstBaselineMinimum\":" + Num(o.firstBaselineMinimum) +
         ",\"paragraphSpacingLimit\":" + Num(o.paragraphSpacingLimit) +
         ",\"textStart\":" + std::to_string(frame->GetTextStart()) +
         ",\"textSpan\":" + std::to_string(frame->GetTextSpan()) + (lines ? LinesJson(db, uid) : "");
}

std::string ItemJson(IDataBase& db, UID uid, const WideString& layer, bool lines) {
  auto item = Instantiate<IPageItem>(&db, uid);
  if (!item) return "null";
  std::string json =
      "{\"uid\":" + Uid(uid) + ",\"kind\":\"" + Kind(db.GetClass(uid)) + "\",\"layer\":" + JsonQuote(layer) +
      ",\"page\":" + Uid(LayoutUtils::PageOfItem(&db, uid)) + ",\"bounds\":" + Rect(item->GetBounds()) +
      ",\"transform\":" + TransformJson(item->GetTransform()) +
      ",\"label\":" + JsonQuote(item->GetLabels().label) + ",\"labels\":" + LabelsJson(item->GetLabels()) +
      ",\"locked\":" + Bool(item->IsLocked()) + ",\"overrideOf\":" + Uid(item->GetOverrideOf());
  if (db.GetClass(uid) == kGraphicFrameBoss) json += ",\"graphic\":" + Bool(item->HasGraphicContent());
  json +=
      FrameJson(db, uid, lines) + ItemLookMembers(db, uid) + PictureItemMembers(db, uid) + ",\"children\":[";
  const char* separator = "";
  for (UID child : Instantiate<IHierarchy>(&db, uid)->GetChildren())
    json += std::string(std::exchange(separator, ",")) + ItemJson(db, child, layer, lines);
  return json + "]}";
}

const char* AnchorKindName(AnchorKind kind) {
  switch (kind) {
    case AnchorKind::kInline:
      return "inline";
    case AnchorKind::kAboveLine:
      return "above-line";
    case AnchorKind::kCustom:
      return "custom";
  }
  return "custom";
}

// `,"anchored":[...]`: the story's anchored items in text order, with where composition put them.
std::string AnchoredMember(IDataBase& db, UID story) {
  std::string json = ",\"anchored\":[";
  const char* separator = "";
  for (const Anchor& anchor : StoryQueries::AnchoredItems(&db, story)) {
    auto placed = StoryQueries::AnchorPlacementAt(&db, story, anchor.index);
    json += std::string(std::exchange(separator, ",")) + "{\"index\":" + std::to_string(anchor.index) +
            ",\"kind\":\"" + AnchorKindName(anchor.kind) +
            "\",\"frame\":" + Uid(placed ? placed->frame : kInvalidUID) +
            ",\"at\":" + (placed ? "[" + Num(placed->anchor.x) + "," + Num(placed->anchor.y) + "]" : "null") +
            ",\"item\":" + ItemJson(db, anchor.item, u"", false) + "}";
  }
  return json + "]";
}

// Each page's index (in the index space of document and master pages) and number, worked out once for the
// whole document, since each query alone walks the pages.
struct PageNumbering {
  explicit PageNumbering(IDataBase& db) {
    std::vector<int32_t> starts = LayoutUtils::SectionStarts(&db);
    int32_t count = LayoutUtils::CountPages(&db);
    for (int32_t index = 0; LayoutUtils::SpreadAt(&db, index).IsValid(); ++index) {
      auto spread = Instantiate<ISpread>(&db, LayoutUtils::SpreadAt(&db, index));
      for (int32_t i = 0; i < spread->CountPages(); ++i) {
        int32_t at = static_cast<int32_t>(pages.size());
        auto section = std::upper_bound(starts.begin(), starts.end(), at);
        int32_t number = at < count && section != starts.begin() ? at - *(section - 1) + 1 : 0;
        pages.emplace(spread->GetNthPage(i), std::make_pair(at, number));
      }
    }
  }
  std::map<UID, std::pair<int32_t, int32_t>> pages;
};

// `x` is where the page starts in its spread: the pages are written left to right, adding up their widths as
// they go, since asking for each page's bounds alone walks the pages before it.
std::string PageJson(IDataBase& db, UID uid, const PageNumbering& numbering, double x) {
  auto page = Instantiate<IPage>(&db, uid);
  auto [index, number] = numbering.pages.at(uid);
  PMRect bounds{x, 0, x + page->GetWidth(), page->GetHeight()};
  std::string json = "{\"uid\":" + Uid(uid) + ",\"index\":" + std::to_string(index) +
                     ",\"number\":" + std::to_string(number) + ",\"bounds\":" + Rect(bounds) +
                     ",\"margins\":" + MarginsJson(page->GetMargins()) +
                     ",\"columns\":" + std::to_string(page->GetColumns()) +
                     ",\"gutter\":" + Num(page->GetGutter()) +
                     ",\"master\":" + MasterName(db, page->GetMasterSpread()) +
                     ",\"masterPage\":" + Uid(LayoutUtils::MasterPageOf(&db, uid)) + ",\"overrides\":[";
  const char* separator = "";
  for (const OverrideEntry& e : page->GetOverrides())
    json +=
        std::string(std::exchange(separator, ",")) + "[" + Uid(e.masterItem) + "," + Uid(e.localItem) + "]";
  return json + "]}";
}

// The members every spread has: uid, page position, bounds, pages, items.
std::string SpreadMembers(IDataBase& db, UID uid, const PageNumbering& numbering, bool lines) {
  auto spread = Instantiate<ISpread>(&db, uid);
  std::string json = "\"uid\":" + Uid(uid) +
                     ",\"pagePosition\":" + std::to_string(spread->GetPagePosition()) +
                     ",\"bounds\":" + Rect(LayoutUtils::SpreadBounds(&db, uid)) + ",\"pages\":[";
  double x = 0;
  for (int32_t i = 0; i < spread->CountPages(); ++i) {
    UID page = spread->GetNthPage(i);
    json += std::string(i > 0 ? "," : "") + PageJson(db, page, numbering, x);
    x += Instantiate<IPage>(&db, page)->GetWidth();
  }
  json += "],\"items\":[";
  const char* separator = "";
  for (UID layerUID : Instantiate<IHierarchy>(&db, uid)->GetChildren()) {
    auto layer =
        Instantiate<IDocumentLayer>(&db, Instantiate<ISpreadLayer>(&db, layerUID)->GetDocumentLayer());
    WideString name = layer ? layer->GetName() : WideString();
    for (UID item : Instantiate<IHierarchy>(&db, layerUID)->GetChildren())
      json += std::string(std::exchange(separator, ",")) + ItemJson(db, item, name, lines);
  }
  return json + "]";
}

std::string DocumentMember(IDataBase& db) {
  auto setup = LayoutUtils::QueryPageSetup(&db);
  const PageSetupValues& v = setup->Get();
  return "\"document\":{\"pageWidth\":" + Num(v.pageWidth) + ",\"pageHeight\":" + Num(v.pageHeight) +
         ",\"pagesPerSpread\":" + std::to_string(v.pagesPerSpread) + ",\"facing\":" + Bool(v.facing) +
         ",\"margins\":" + MarginsJson(v.margins) + ",\"columns\":" + std::to_string(v.columns) +
         ",\"gutter\":" + Num(v.gutter) + ",\"pageCount\":" + std::to_string(LayoutUtils::CountPages(&db)) +
         ",\"maxCoordinate\":" + Num(kMaxCoordinate) +
         ",\"layoutSuspended\":" + Bool(setup->IsLayoutSuspended()) + "}";
}

std::string LayersMember(IDataBase& db) {
  auto layers = LayoutUtils::QueryLayerList(&db);
  std::string json = "\"layers\":[";
  for (int32_t i = 0; i < layers->CountLayers(); ++i) {
    UID uid = layers->GetNthLayer(i);
    auto layer = Instantiate<IDocumentLayer>(&db, uid);
    json += std::string(i > 0 ? "," : "") + std::string("{\"uid\":") + Uid(uid) +
            ",\"name\":" + JsonQuote(layer->GetName()) + ",\"visible\":" + Bool(layer->IsVisible()) +
            ",\"locked\":" + Bool(layer->IsLocked()) +
            ",\"active\":" + Bool(uid == layers->GetActiveLayer()) + "}";
  }
  return json + "]";
}

std::string SectionsMember(IDataBase& db) {
  std::vector<int32_t> starts = LayoutUtils::SectionStarts(&db);
  std::string json = "\"sections\":[";
  int32_t pages = LayoutUtils::CountPages(&db);
  for (size_t i = 0; i < starts.size(); ++i) {
    UID first = LayoutUtils::PageAt(&db, starts[i]);
    WideString name;
    for (const Section& s : LayoutUtils::QuerySectionList(&db)->GetSections()) {
      if (s.firstPage == first) name = s.name;
    }
    int32_t end = i + 1 < starts.size() ? starts[i + 1] : pages;
    json += std::string(i > 0 ? "," : "") + std::string("{\"firstPage\":") + std::to_string(starts[i] + 1) +
            ",\"name\":" + JsonQuote(name) + ",\"pageCount\":" + std::to_string(end - starts[i]) + "}";
  }
  return json + "]";
}

}  // namespace

std::string JsonNumber(double v) {
  return Num(v);
}

void WriteLayoutMembers(IDataBase& db, std::ostream& out, bool lines) {
  auto spreads = LayoutUtils::QuerySpreadList(&db);
  if (!spreads || !LayoutUtils::QueryPageSetup(&db) || !LayoutUtils::QueryLayerList(&db)) return;
  PageNumbering numbering(db);
  out << "," << DocumentMember(db) << "," << LayersMember(db) << "," << SectionsMember(db)
      << ",\"masters\":[";
  for (int32_t i = 0; i < spreads->CountMasterSpreads(); ++i) {
    UID uid = spreads->GetNthMasterSpread(i);
    auto master = Instantiate<IMasterSpread>(&db, uid);
    out << (i > 0 ? "," : "") << "{\"prefix\":" << JsonQuote(master->GetPrefix())
        << ",\"name\":" << JsonQuote(master->GetName())
        << ",\"fullName\":" << JsonQuote(master->GetFullName())
        << ",\"basedOn\":" << MasterName(db, LayoutUtils::BasedOnOf(&db, uid)) << ","
        << SpreadMembers(db, uid, numbering, lines) << "}";
  }
  out << "],\"spreads\":[";
  for (int32_t i = 0; i < spreads->CountSpreads(); ++i)
    out << (i > 0 ? "," : "") << "{" << SpreadMembers(db, spreads->GetNthSpread(i), numbering, lines) << "}";
  out << "]" << ObjectStylesMember(db);
  out << HyperlinkMembers(db);
}

void WritePlugInMembers(IDataBase& db, std::ostream& out) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kInspectMemberService)) {
    InterfacePtr<IInspectMemberProvider> member = CreateObject<IInspectMemberProvider>(provider);
    if (!member) continue;
    std::string json = member->GetMemberJson(db);
    if (!json.empty()) out << "," << JsonQuote(WideFromUtf8(member->GetMemberName())) << ":" << json;
  }
}

std::string StoryPlugInMembers(IDataBase& db, UID story) {
  std::string json;
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kInspectMemberService)) {
    InterfacePtr<IInspectMemberProvider> member = CreateObject<IInspectMemberProvider>(provider);
    std::string members = member ? member->GetStoryMembersJson(db, story) : std::string();
    if (!members.empty()) json += "," + members;
  }
  return json;
}

std::string StoryLayoutMembers(IDataBase& db, UID story) {
  auto list = Instantiate<IFrameList>(&db, LayoutUtils::FrameListOfStory(&db, story));
  auto model = Instantiate<ITextModel>(&db, story);
  std::string json = ",\"frames\":[";
  bool overset = false;
  int32_t damaged = -1;
  if (list && model) {
    for (int32_t i = 0; i < list->CountFrames(); ++i)
      json += std::string(i > 0 ? "," : "") + Uid(list->GetNthFrame(i));
    // Composing (in memory) first, so that the document reads as the host shows it.
    const StoryLayout* layout = list->CountFrames() > 0 ? StoryComposer::GetLayout(&db, story) : nullptr;
    overset = layout && layout->IsOverset();
    damaged = list->GetFirstDamagedFrame();
  }
  return json + "],\"firstDamagedFrame\":" + std::to_string(damaged) + ",\"overset\":" + Bool(overset) +
         AnchoredMember(db, story);
}

}  // namespace pagehost
