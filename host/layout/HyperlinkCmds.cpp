// The hyperlink, text-anchor and item plug-in data commands.
#include "host/layout/HyperlinkCmds.h"

#include <cassert>

#include "host/layout/HyperlinkUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/AttributeBossList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"

namespace {

constexpr double kMinZoomPercent = 5;
constexpr double kMaxZoomPercent = 4000;

// Why `d` cannot be a destination; empty when it can.
std::string DestinationFault(const IDataBase* db, const HyperlinkDestination& d) {
  if (d.name.empty()) return "a destination needs a name";
  switch (d.kind) {
    case DestinationKind::kURL:
      return d.url.empty() ? "a URL destination needs a URL" : "";
    case DestinationKind::kPage:
      if (!db->IsValidUID(d.page) || LayoutUtils::PageIndexOf(db, d.page) < 0)
        return "object " + std::to_string(d.page.Get()) + " is no page of the document";
      if (d.zoom == PageZoom::kFixed &&
          !(d.zoomPercent >= kMinZoomPercent && d.zoomPercent <= kMaxZoomPercent))
        return "a fixed zoom lies between 5 and 4000 %";
      return "";
    case DestinationKind::kTextAnchor:
      return db->IsValidUID(d.anchor) && Instantiate<ITextAnchor>(db, d.anchor) ? "" : "no such text anchor";
  }
  return "no such destination kind";
}

bool IsAppearanceValid(const IDataBase* db, const HyperlinkAppearance& a) {
  return a.highlight < kHighlightCount && a.borderWidth >= 1 && a.borderWidth <= kBorderWidthMax &&
         a.borderStyle < kBorderStyleCount && (!a.borderColor.IsValid() || db->IsValidUID(a.borderColor));
}

// "Hyperlink N" with the first N no hyperlink is named.
WideString FreeName(const IHyperlinkTable& table) {
  for (size_t n = 1;; ++n) {
    WideString name = u"Hyperlink " + WideFromUtf8(std::to_string(n));
    if (!table.FindHyperlink(name)) return name;
  }
}

}  // namespace

HyperlinkParams& HyperlinkCommand::Data() const {
  InterfacePtr<IHyperlinkCmdData> data(this, UseDefaultIID());
  assert(data && "every hyperlink command class has IHyperlinkCmdData");
  return data->Params();
}

void SetDestinationCmd::Do() {
  const HyperlinkDestination& d = Data().destination;
  auto table = HyperlinkUtils::QueryTable(DataBase());
  if (!table) return Fail();
  if (std::string fault = DestinationFault(DataBase(), d); !fault.empty()) return Refuse(fault);
  table->SetDestination(d);
  MainChange().target = d.kind == DestinationKind::kPage ? d.page : d.anchor;
}

void NewHyperlinkCmd::Do() {
  HyperlinkParams& p = Data();
  IDataBase* db = DataBase();
  auto table = HyperlinkUtils::QueryTable(db);
  if (!table) return Fail();
  if (p.hyperlink.name.empty()) p.hyperlink.name = FreeName(*table);
  if (table->FindHyperlink(p.hyperlink.name))
    return Refuse("a hyperlink named " + Utf8FromWide(p.hyperlink.name) + " exists");
  const HyperlinkDestination* destination = table->FindDestination(p.destinationName);
  if (!destination) return Refuse("no destination is named " + Utf8FromWide(p.destinationName));
  if (!HyperlinkUtils::IsSourceValid(db, p.hyperlink.source))
    return Refuse("the hyperlink's source names nothing");
  if (!IsAppearanceValid(db, p.hyperlink.appearance))
    return Refuse("the hyperlink's appearance is out of range");
  p.hyperlink.destination = destination->id;
  table->AddHyperlink(p.hyperlink);
}

void DeleteHyperlinkCmd::Do() {
  auto table = HyperlinkUtils::QueryTable(DataBase());
  const Hyperlink* hyperlink = table ? table->FindHyperlink(Data().name) : nullptr;
  if (!hyperlink) return Refuse("no hyperlink is named " + Utf8FromWide(Data().name));
  table->RemoveHyperlink(hyperlink->id);
}

UID CreateTextAnchorCmd::TakeAnchor(const HyperlinkParams& p, int32_t& position) {
  IDataBase* db = DataBase();
  UID anchor = HyperlinkUtils::FindTextAnchor(db, p.name);
  if (!anchor.IsValid()) {
    anchor = db->NewObject(kTextAnchorBoss);
    if (!anchor.IsValid()) {
      Refuse("the document has no object numbers left for a text anchor", kFailure);
      return kInvalidUID;
    }
    if (auto table = HyperlinkUtils::QueryTable(db)) table->AddTextAnchor(anchor);
    Instantiate<ITextAnchor>(db, anchor)->SetName(p.name);
    return anchor;
  }
  int32_t old = HyperlinkUtils::TextAnchorPosition(db, anchor);
  if (old < 0) return anchor;
  UID oldStory = Instantiate<ITextAnchor>(db, anchor)->GetStory();
  if (ErrorCode err = TextCmdUtils::DeleteText(UIDRef(db, oldStory), old, old + 1); err != kSuccess) {
    Fail(err);
    return kInvalidUID;
  }
  if (oldStory == p.story && old < position) --position;
  return anchor;
}

void CreateTextAnchorCmd::Do() {
  const HyperlinkParams& p = Data();
  IDataBase* db = DataBase();
  auto text = db->IsValidUID(p.story) ? Instantiate<ITextModel>(db, p.story) : InterfacePtr<ITextModel>();
  if (p.name.empty()) return Refuse("a text anchor needs a name");
  if (!text) return Refuse("object " + std::to_string(p.story.Get()) + " is no story");
  if (p.position < 0 || p.position >= text->TotalLength())
    return Refuse("position " + std::to_string(p.position) + " lies outside the story");
  int32_t position = p.position;
  UID anchor = TakeAnchor(p, position);
  if (!anchor.IsValid()) return;
  auto data = Instantiate<ITextAnchor>(db, anchor);
  data->SetStory(p.story);
  data->SetPageAnchor(p.pageAnchor);
  UIDRef story(db, p.story);
  if (ErrorCode err = TextCmdUtils::InsertText(story, position, WideString(1, kTextAnchorChar));
      err != kSuccess)
    return Fail(err);
  AttributeBossList carries;
  if (ErrorCode err = carries.ApplyValue(kTextAttrTextAnchor, anchor); err != kSuccess) return Fail(err);
  if (ErrorCode err =
          TextCmdUtils::ApplyOverrides(story, TextStrand::kCharacter, position, position + 1, carries);
      err != kSuccess)
    return Fail(err);
  SetItemList(UIDList(db, {anchor}));
  MainChange().target = p.story;
  MainChange().position = position;
}

void SetItemPlugInDataCmd::Do() {
  const HyperlinkParams& p = Data();
  if (!ItemsArePageItems(true)) return Fail();
  if (p.dataID == 0) return Refuse("plug-in data needs the ID of its owner");
  if (p.bytes.size() > kMaxPlugInBytes) return Refuse("plug-in data is too long");
  for (UID item : Items()) {
    auto data = Instantiate<IItemPlugInData>(DataBase(), item);
    if (!data) return Fail();
    if (p.remove) {
      data->Remove(p.dataID);
    } else {
      data->Set(p.dataID, p.bytes);
    }
  }
}
