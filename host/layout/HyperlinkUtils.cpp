// Queries and edits of hyperlinks, destinations, text anchors and items' plug-in data.
#include "host/layout/HyperlinkUtils.h"

#include <algorithm>

#include "host/layout/IItemPlugInData.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextAttribute.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"

namespace HyperlinkUtils {
namespace {

bool CarriesAnchor(const TextRun& run, UID anchor) {
  const ITextAttribute* attribute = run.overrides->GetByClass(kTextAttrTextAnchor);
  const UID* value = attribute ? std::get_if<UID>(&attribute->GetValue()) : nullptr;
  return value && *value == anchor;
}

}  // namespace

InterfacePtr<IHyperlinkTable> QueryTable(const IDataBase* db) {
  return db ? Instantiate<IHyperlinkTable>(db, db->GetRootUID()) : InterfacePtr<IHyperlinkTable>();
}

UID FindTextAnchor(const IDataBase* db, const WideString& name) {
  auto table = QueryTable(db);
  for (UID anchor : table ? table->GetTextAnchors() : std::vector<UID>()) {
    auto data = Instantiate<ITextAnchor>(db, anchor);
    if (data && data->GetName() == name) return anchor;
  }
  return kInvalidUID;
}

int32_t TextAnchorPosition(const IDataBase* db, UID anchor) {
  auto data = db->IsValidUID(anchor) ? Instantiate<ITextAnchor>(db, anchor) : InterfacePtr<ITextAnchor>();
  auto text = data && db->IsValidUID(data->GetStory()) ? Instantiate<ITextModel>(db, data->GetStory())
                                                       : InterfacePtr<ITextModel>();
  if (!text) return -1;
  // Text typed after the anchor takes its attributes along: only the U+FEFF is the anchor.
  int32_t found = -1;
  text->VisitRuns(TextStrand::kCharacter, 0, text->TotalLength(), [&](const TextRun& run) {
    for (int32_t i = run.start; CarriesAnchor(run, anchor) && i < run.end && found < 0; ++i) {
      if (text->GetChar(i) == kTextAnchorChar) found = i;
    }
    return found < 0;
  });
  return found;
}

int32_t DestinationPageIndex(const IDataBase* db, const HyperlinkDestination& destination) {
  if (destination.kind != DestinationKind::kPage || !db->IsValidUID(destination.page)) return -1;
  return LayoutUtils::PageIndexOf(db, destination.page);
}

bool IsSourceValid(const IDataBase* db, const HyperlinkSource& s) {
  auto valid = [&](UID uid) { return uid.IsValid() && db->IsValidUID(uid); };
  switch (s.kind) {
    case SourceKind::kText: {
      auto text = valid(s.story) ? Instantiate<ITextModel>(db, s.story) : InterfacePtr<ITextModel>();
      return text && s.start >= 0 && s.start <= s.end && s.end < text->TotalLength() &&
             (!s.characterStyle.IsValid() || db->IsValidUID(s.characterStyle));
    }
    case SourceKind::kItem:
      return valid(s.item) && LayoutUtils::IsPageItem(db, s.item);
    case SourceKind::kTextAnchor:
      return valid(s.anchor) && Instantiate<ITextAnchor>(db, s.anchor);
  }
  return false;
}

const Hyperlink* HyperlinkOfItem(const IHyperlinkTable& table, UID item) {
  for (const Hyperlink& h : table.GetHyperlinks()) {
    if (h.source.kind == SourceKind::kItem && h.source.item == item) return &h;
  }
  return nullptr;
}

const Hyperlink* HyperlinkEndingAt(const IHyperlinkTable& table, UID story, int32_t end) {
  for (const Hyperlink& h : table.GetHyperlinks()) {
    if (h.source.kind == SourceKind::kText && h.source.story == story && h.source.end == end) return &h;
  }
  return nullptr;
}

ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const HyperlinkParams& params,
                  std::vector<UID>* result) {
  return LayoutCmdUtils::ProcessWith<IHyperlinkCmdData>(cls, db, items, params, result);
}

void FollowTextEdit(IDataBase* db, UID story, int32_t position, int32_t deleted, int32_t inserted) {
  if (auto table = QueryTable(db)) table->NoteTextEdit(story, position, deleted, inserted);
}

void DropSourcesIn(IDataBase* db, const std::vector<UID>& gone) {
  auto table = QueryTable(db);
  if (!table || table->GetHyperlinks().empty()) return;
  auto isGone = [&](UID uid) { return std::find(gone.begin(), gone.end(), uid) != gone.end(); };
  std::vector<uint32_t> dropped;
  for (const Hyperlink& h : table->GetHyperlinks()) {
    const HyperlinkSource& s = h.source;
    if ((s.kind == SourceKind::kItem && isGone(s.item)) || (s.kind == SourceKind::kText && isGone(s.story)))
      dropped.push_back(h.id);
  }
  for (uint32_t id : dropped)
    table->RemoveHyperlink(id);
}

ErrorCode DropCopiedAnchors(const UIDRef& story, int32_t start, int32_t end) {
  auto text = Instantiate<ITextModel>(story.GetDataBase(), story.GetUID());
  bool carries = false;
  if (text) {
    text->VisitRuns(TextStrand::kCharacter, start, end, [&](const TextRun& run) {
      carries = run.overrides->ContainsClass(kTextAttrTextAnchor);
      return !carries;
    });
  }
  if (!carries) return kSuccess;
  return TextCmdUtils::ClearOverrides(story, TextStrand::kCharacter, start, end, {kTextAttrTextAnchor});
}

void CopyPlugInData(IDataBase* db, UID original, UID copy) {
  auto from = Instantiate<IItemPlugInData>(db, original);
  auto to = Instantiate<IItemPlugInData>(db, copy);
  if (!from || !to) return;
  for (const auto& [id, bytes] : from->GetAll())
    to->Set(id, bytes);
}

}  // namespace HyperlinkUtils
