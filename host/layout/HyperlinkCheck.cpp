// The consistency check of a document's hyperlinks, destinations and text anchors.
#include "host/layout/HyperlinkCheck.h"

#include <set>

#include "host/layout/HyperlinkUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/ITextModel.h"
#include "host/text/TextIDs.h"

namespace HyperlinkCheck {
namespace {

// Whether `uid` is none, gone, or an object that `fits`.
template <class Fits>
bool GoneOr(const IDataBase& db, UID uid, Fits fits) {
  return !uid.IsValid() || !db.IsValidUID(uid) || fits(uid);
}

std::string DestinationFault(const IDataBase& db, const HyperlinkDestination& d) {
  bool ok = d.kind != DestinationKind::kPage ||
            GoneOr(db, d.page, [&](UID u) { return db.GetClass(u) == kPageBoss; });
  ok = ok && (d.kind != DestinationKind::kTextAnchor ||
              GoneOr(db, d.anchor, [&](UID u) { return db.GetClass(u) == kTextAnchorBoss; }));
  return ok ? "" : "destination " + Utf8FromWide(d.name) + " names an object of the wrong kind";
}

std::string HyperlinkFault(const IDataBase& db, const IHyperlinkTable& table, const Hyperlink& h) {
  if (!table.FindDestination(h.destination)) return "hyperlink " + Utf8FromWide(h.name) + " goes nowhere";
  const HyperlinkSource& s = h.source;
  bool ok = true;
  if (s.kind == SourceKind::kText) {
    ok = GoneOr(db, s.story, [&](UID u) {
      auto text = Instantiate<ITextModel>(&db, u);
      return text && s.end < text->TotalLength();
    });
  } else if (s.kind == SourceKind::kItem) {
    ok = GoneOr(db, s.item, [&](UID u) { return LayoutUtils::IsPageItem(&db, u); });
  } else {
    ok = GoneOr(db, s.anchor, [&](UID u) { return db.GetClass(u) == kTextAnchorBoss; });
  }
  return ok ? "" : "the source of hyperlink " + Utf8FromWide(h.name) + " names nothing it can be";
}

std::string AnchorsFault(const IDataBase& db, const IHyperlinkTable& table) {
  std::set<UID> seen;
  std::set<WideString> names;
  for (UID anchor : table.GetTextAnchors()) {
    auto data = db.IsValidUID(anchor) ? Instantiate<ITextAnchor>(&db, anchor) : InterfacePtr<ITextAnchor>();
    if (!data || !seen.insert(anchor).second || !names.insert(data->GetName()).second)
      return "the text anchor list names object " + std::to_string(anchor.Get()) +
             ", which is no anchor of its own";
    if (!GoneOr(db, data->GetStory(), [&](UID u) { return db.GetClass(u) == kTextStoryBoss; }))
      return "text anchor " + Utf8FromWide(data->GetName()) + " lies in no story";
  }
  return {};
}

}  // namespace

std::string FindFault(const IDataBase& db) {
  auto table = HyperlinkUtils::QueryTable(&db);
  if (!table) return {};
  for (const HyperlinkDestination& d : table->GetDestinations()) {
    if (std::string fault = DestinationFault(db, d); !fault.empty()) return fault;
  }
  for (const Hyperlink& h : table->GetHyperlinks()) {
    if (std::string fault = HyperlinkFault(db, *table, h); !fault.empty()) return fault;
  }
  return AnchorsFault(db, *table);
}

}  // namespace HyperlinkCheck
