// The changes the layout commands are made of.
#include "host/layout/LayoutEdits.h"

#include <algorithm>
#include <limits>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/ItemLookData.h"
#include "host/layout/HyperlinkUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/PictureCopy.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"

namespace LayoutEdits {
namespace {

template <class T>
InterfacePtr<T> Query(IDataBase* db, UID uid) {
  return Instantiate<T>(db, uid);
}

ErrorCode DeleteStoryOf(IDataBase* db, UID frameList, Deleted& deleted) {
  auto list = Query<IFrameList>(db, frameList);
  UID story = list ? list->GetStory() : kInvalidUID;
  auto stories = Query<IStoryList>(db, db->GetRootUID());
  // The document keeps its last story, frameless: a document without a story is no document.
  if (stories && stories->CountStories() <= 1 && stories->ContainsStory(story)) return kSuccess;
  if (story.IsValid()) {
    // The items anchored in the story go with it.
    auto anchors = AnchorUtils::QueryAnchors(db, story);
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>()) {
      if (!db->IsValidUID(anchor.item)) continue;
      if (ErrorCode err = DeleteItem(db, anchor.item, deleted); err != kSuccess) return err;
    }
    if (ErrorCode err = TextCmdUtils::DeleteStory(UIDRef(db, story)); err != kSuccess) return err;
    deleted.stories.push_back(story);
    HyperlinkUtils::DropSourcesIn(db, {story});
  }
  std::erase(deleted.frameLists, frameList);
  return db->DeleteObject(frameList);
}

// Takes `frame` out of its frame list; the list's later frames are damaged from where it was.
ErrorCode LeaveFrameList(IDataBase* db, UID frame, Deleted& deleted) {
  UID frameList = LayoutUtils::FrameListOfFrame(db, frame);
  auto list = Query<IFrameList>(db, frameList);
  if (!list) return kSuccess;
  int32_t index = list->IndexOfFrame(frame);
  list->RemoveFrame(frame);
  if (list->CountFrames() == 0) return DeleteStoryOf(db, frameList, deleted);
  if (list->GetFirstDamagedFrame() >= list->CountFrames()) list->SetFirstDamagedFrame(-1);
  list->Damage(std::min(index, list->CountFrames() - 1));
  if (std::find(deleted.frameLists.begin(), deleted.frameLists.end(), frameList) == deleted.frameLists.end())
    deleted.frameLists.push_back(frameList);
  return kSuccess;
}

void DropOverrideEntries(IDataBase* db, const std::vector<UID>& gone) {
  auto dropFrom = [&](UID pageUID) {
    auto page = Query<IPage>(db, pageUID);
    if (!page) return;
    std::vector<OverrideEntry> kept;
    for (const OverrideEntry& e : page->GetOverrides()) {
      bool masterGone = std::find(gone.begin(), gone.end(), e.masterItem) != gone.end();
      bool localGone = std::find(gone.begin(), gone.end(), e.localItem) != gone.end();
      // A local copy whose master item goes stays, as an item of its own.
      if (masterGone && !localGone) {
        if (auto local = Query<IPageItem>(db, e.localItem)) local->SetOverrideOf(kInvalidUID);
      }
      if (!masterGone && !localGone) kept.push_back(e);
    }
    page->SetOverrides(std::move(kept));
  };
  auto spreads = LayoutUtils::QuerySpreadList(db);
  for (int32_t i = 0; spreads && i < spreads->CountSpreads() + spreads->CountMasterSpreads(); ++i) {
    auto spread = Query<ISpread>(db, LayoutUtils::SpreadAt(db, i));
    for (int32_t p = 0; spread && p < spread->CountPages(); ++p)
      dropFrom(spread->GetNthPage(p));
  }
}

}  // namespace

UID NewSpread(IDataBase* db, bool master, int32_t at) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto layers = LayoutUtils::QueryLayerList(db);
  if (!spreads || !layers) return kInvalidUID;
  UID spread = db->NewObject(master ? kMasterSpreadBoss : kSpreadBoss);
  auto node = Query<IHierarchy>(db, spread);
  if (!node) return kInvalidUID;
  for (int32_t i = 0; i < layers->CountLayers(); ++i) {
    UID spreadLayer = db->NewObject(kSpreadLayerBoss);
    Query<ISpreadLayer>(db, spreadLayer)->SetDocumentLayer(layers->GetNthLayer(i));
    Query<IHierarchy>(db, spreadLayer)->SetParent(spread);
    node->InsertChild(spreadLayer, -1);
  }
  if (master) {
    spreads->InsertMasterSpread(spread, at);
  } else {
    spreads->InsertSpread(spread, at);
  }
  return spread;
}

UID NewPage(IDataBase* db, UID spreadUID, int32_t at, double width, double height, UID masterSpread) {
  auto spread = Query<ISpread>(db, spreadUID);
  auto setup = LayoutUtils::QueryPageSetup(db);
  if (!spread || !setup) return kInvalidUID;
  UID pageUID = db->NewObject(kPageBoss);
  auto page = Query<IPage>(db, pageUID);
  const PageSetupValues& values = setup->Get();
  page->SetSpread(spreadUID);
  page->SetSize(width > 0 ? width : values.pageWidth, height > 0 ? height : values.pageHeight);
  page->SetMargins(values.margins);
  page->SetColumns(values.columns, values.gutter);
  page->SetMasterSpread(masterSpread);
  spread->InsertPage(pageUID, at);
  return pageUID;
}

UID NewLayer(IDataBase* db, const WideString& name, int32_t at) {
  auto layers = LayoutUtils::QueryLayerList(db);
  auto spreads = LayoutUtils::QuerySpreadList(db);
  if (!layers || !spreads) return kInvalidUID;
  UID layer = db->NewObject(kDocumentLayerBoss);
  Query<IDocumentLayer>(db, layer)->SetName(name);
  int32_t index = at < 0 || at > layers->CountLayers() ? layers->CountLayers() : at;
  layers->InsertLayer(layer, index);
  for (int32_t i = 0; i < spreads->CountSpreads() + spreads->CountMasterSpreads(); ++i) {
    UID spread = LayoutUtils::SpreadAt(db, i);
    auto node = Query<IHierarchy>(db, spread);
    if (!node) continue;
    UID spreadLayer = db->NewObject(kSpreadLayerBoss);
    Query<ISpreadLayer>(db, spreadLayer)->SetDocumentLayer(layer);
    Query<IHierarchy>(db, spreadLayer)->SetParent(spread);
    node->InsertChild(spreadLayer, index);
  }
  return layer;
}

UID NewItem(IDataBase* db, ClassID cls, UID parent, int32_t at, const PMRect& bounds) {
  auto parentNode = Query<IHierarchy>(db, parent);
  if (!parentNode) return kInvalidUID;
  UID item = db->NewObject(cls);
  auto pageItem = Query<IPageItem>(db, item);
  auto node = Query<IHierarchy>(db, item);
  if (!pageItem || !node) return kInvalidUID;
  pageItem->SetBounds(bounds);
  node->SetParent(parent);
  parentNode->InsertChild(item, at);
  return item;
}

UID ParentFor(IDataBase* db, UID target, UID layer) {
  ClassID cls = db->GetClass(target);
  if (cls == kSpreadLayerBoss || cls == kGroupBoss) return target;
  UID spread = target;
  if (cls == kPageBoss) spread = Query<IPage>(db, target)->GetSpread();
  if (!Query<ISpread>(db, spread)) return kInvalidUID;
  auto layers = LayoutUtils::QueryLayerList(db);
  if (!layer.IsValid() && layers) layer = layers->GetActiveLayer();
  return LayoutUtils::SpreadLayerFor(db, spread, layer);
}

void Reparent(IDataBase* db, UID item, UID parent, int32_t at) {
  auto node = Query<IHierarchy>(db, item);
  if (!node) return;
  if (auto old = Query<IHierarchy>(db, node->GetParent())) old->RemoveChild(item);
  node->SetParent(parent);
  if (auto now = Query<IHierarchy>(db, parent)) now->InsertChild(item, at);
}

void Offset(IDataBase* db, UID item, double dx, double dy) {
  if (dx == 0 && dy == 0) return;
  for (UID uid : LayoutUtils::ItemTree(db, item)) {
    if (auto pageItem = Query<IPageItem>(db, uid)) pageItem->SetBounds(pageItem->GetBounds().Moved(dx, dy));
  }
}

ErrorCode NewStoryForFrame(IDataBase* db, UID frame, UID& story) {
  auto textFrame = Query<ITextFrame>(db, frame);
  if (!textFrame) return kInvalidParameterError;
  if (ErrorCode err = TextCmdUtils::NewStory(db, story); err != kSuccess) return err;
  UID frameList = db->NewObject(kFrameListBoss);
  auto list = Query<IFrameList>(db, frameList);
  auto storyFrames = Query<IStoryFrames>(db, story);
  if (!list || !storyFrames) return kFailure;
  list->SetStory(story);
  storyFrames->SetFrameList(frameList);
  AddFrame(db, frameList, frame, 0);
  return kSuccess;
}

void AddFrame(IDataBase* db, UID frameList, UID frame, int32_t at) {
  auto list = Query<IFrameList>(db, frameList);
  auto textFrame = Query<ITextFrame>(db, frame);
  if (!list || !textFrame) return;
  list->InsertFrame(frame, at);
  textFrame->SetFrameList(frameList);
  textFrame->SetTextRange(0, 0);
  list->Damage(list->IndexOfFrame(frame));
}

ErrorCode DeleteItem(IDataBase* db, UID item, Deleted& deleted) {
  std::vector<UID> tree = LayoutUtils::ItemTree(db, item);
  if (auto node = Query<IHierarchy>(db, item)) {
    if (auto parent = Query<IHierarchy>(db, node->GetParent())) parent->RemoveChild(item);
    // An item without a parent may be anchored in text; its character stays, owning nothing.
    if (!node->GetParent().IsValid()) AnchorUtils::Unanchor(db, item);
  }
  for (UID uid : tree) {
    if (LayoutUtils::IsTextFrame(db, uid)) {
      if (ErrorCode err = LeaveFrameList(db, uid, deleted); err != kSuccess) return err;
    }
  }
  DropOverrideEntries(db, tree);
  HyperlinkUtils::DropSourcesIn(db, tree);
  for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
    if (ErrorCode err = db->DeleteObject(*it); err != kSuccess) return err;
    deleted.items.push_back(*it);
  }
  return kSuccess;
}

ErrorCode CopyStoryText(IDataBase* db, UID source, const std::vector<TextSpan>& spans, UID target,
                        std::vector<CopiedSpan>& copied) {
  auto from = Query<ITextModel>(db, source);
  if (!from) return kInvalidParameterError;
  int32_t length = from->TotalLength();
  UIDRef to(db, target);
  int32_t at = 0;       // before the target's final return
  int32_t closes = -1;  // the index whose paragraph the final return takes
  for (size_t i = 0; i < spans.size(); ++i) {
    int32_t start = std::clamp(spans[i].start, 0, length);
    int32_t end = std::clamp(spans[i].end, start, length);
    if (end > start) closes = end - 1;
    if (i + 1 == spans.size() && end > start && end < length && from->GetChar(end - 1) == u'\r') --end;
    end = std::min(end, length - 1);  // the source's final return: the target has its own
    if (end <= start) continue;
    if (ErrorCode err = TextCmdUtils::CopyText(UIDRef(db, source), start, end, to, at, at); err != kSuccess)
      return err;
    if (ErrorCode err = HyperlinkUtils::DropCopiedAnchors(to, at, at + end - start); err != kSuccess)
      return err;
    copied.push_back({{start, end}, at});
    at += end - start;
  }
  if (closes < 0) return kSuccess;
  TextRun last = from->GetParagraphRun(from->ParagraphIndexAt(closes));
  if (ErrorCode err = TextCmdUtils::ApplyParagraphStyle(to, at, at, last.style, true); err != kSuccess)
    return err;
  if (last.overrides->CountBosses() == 0) return kSuccess;
  return TextCmdUtils::ApplyOverrides(to, TextStrand::kParagraph, at, at, *last.overrides);
}

ErrorCode ItemCopier::Copy(UID item, UID parent, int32_t at, double dx, double dy, UID& copy) {
  return CopyOne(item, parent, at, dx, dy, copy);
}

ErrorCode ItemCopier::CopyOne(UID item, UID parent, int32_t at, double dx, double dy, UID& copy) {
  auto original = Query<IPageItem>(db_, item);
  if (!original) return kInvalidParameterError;
  copy = NewItem(db_, db_->GetClass(item), parent, at, original->GetBounds().Moved(dx, dy));
  auto made = Query<IPageItem>(db_, copy);
  if (!made) return kFailure;
  made->SetTransform(original->GetTransform());
  made->SetLabels(original->GetLabels());
  made->SetLocked(original->IsLocked());
  made->SetGraphicContent(original->HasGraphicContent());
  CopyItemLook(db_, item, copy);
  HyperlinkUtils::CopyPlugInData(db_, item, copy);
  PictureCopy::CopyPictureData(db_, item, copy);
  originals_.push_back(item);
  copies_.push_back(copy);
  if (LayoutUtils::IsTextFrame(db_, item)) {
    if (ErrorCode err = CopyFrame(item, copy); err != kSuccess) return err;
  }
  std::vector<UID> children = Query<IHierarchy>(db_, item)->GetChildren();
  for (UID child : children) {
    UID childCopy;
    if (ErrorCode err = CopyOne(child, copy, -1, dx, dy, childCopy); err != kSuccess) return err;
  }
  return kSuccess;
}

// The story is filled by Finish, once every frame of it that is copied is known.
ErrorCode ItemCopier::CopyFrame(UID original, UID copy) {
  auto source = Query<ITextFrame>(db_, original);
  Query<ITextFrame>(db_, copy)->SetOptions(source->GetOptions());
  UID sourceList = source->GetFrameList();
  for (const auto& [from, to] : frameLists_) {
    if (from == sourceList) {
      AddFrame(db_, to, copy, -1);
      return kSuccess;
    }
  }
  UID story;
  if (ErrorCode err = NewStoryForFrame(db_, copy, story); err != kSuccess) return err;
  stories_.push_back(story);
  frameLists_.emplace_back(sourceList, LayoutUtils::FrameListOfStory(db_, story));
  return kSuccess;
}

ErrorCode ItemCopier::CopyAnchors(UID source, TextSpan span, UID target, int32_t at, UID frame) {
  auto from = AnchorUtils::QueryAnchors(db_, source);
  auto to = AnchorUtils::QueryAnchors(db_, target);
  if (!from || !to) return kSuccess;
  // Copies are made in the frame's place and then leave the hierarchy for their characters.
  UID parent = Query<IHierarchy>(db_, frame)->GetParent();
  const std::vector<Anchor> anchors = from->GetAnchors();
  for (const Anchor& anchor : anchors) {
    if (anchor.index < span.start || anchor.index >= span.end) continue;
    UID copy;
    if (ErrorCode err = CopyOne(anchor.item, parent, -1, 0, 0, copy); err != kSuccess) return err;
    Reparent(db_, copy, kInvalidUID, -1);
    to->AddAnchor({at + anchor.index - span.start, copy, anchor.kind});
  }
  return kSuccess;
}

UID ItemCopier::OriginalOf(UID copy) const {
  auto at = std::find(copies_.begin(), copies_.end(), copy);
  return at == copies_.end() ? kInvalidUID : originals_[static_cast<size_t>(at - copies_.begin())];
}

void ItemCopier::OrderLikeOriginals(IFrameList& list, const IFrameList& source) const {
  std::vector<UID> frames;
  for (int32_t i = 0; i < list.CountFrames(); ++i)
    frames.push_back(list.GetNthFrame(i));
  std::stable_sort(frames.begin(), frames.end(), [&](UID a, UID b) {
    return source.IndexOfFrame(OriginalOf(a)) < source.IndexOfFrame(OriginalOf(b));
  });
  for (UID frame : frames)
    list.RemoveFrame(frame);
  for (UID frame : frames)
    list.InsertFrame(frame, -1);
  list.SetFirstDamagedFrame(0);
}

std::vector<TextSpan> ItemCopier::SpansToCopy(const IFrameList& list, const IFrameList& source) const {
  if (text_ == Text::kWholeStories || list.CountFrames() >= source.CountFrames())
    return {{0, std::numeric_limits<int32_t>::max()}};
  std::vector<TextSpan> spans;
  for (int32_t i = 0; i < list.CountFrames(); ++i) {
    auto frame = Query<ITextFrame>(db_, OriginalOf(list.GetNthFrame(i)));
    if (!frame || frame->GetTextSpan() <= 0) continue;
    TextSpan shown{frame->GetTextStart(), frame->GetTextStart() + frame->GetTextSpan()};
    // Frames next to each other in the flow show one stretch of text.
    if (!spans.empty() && shown.start <= spans.back().end) {
      spans.back().end = std::max(spans.back().end, shown.end);
    } else {
      spans.push_back(shown);
    }
  }
  return spans;
}

ErrorCode ItemCopier::FillStory(const IFrameList& list, const IFrameList& source) {
  std::vector<CopiedSpan> copied;
  if (ErrorCode err =
          CopyStoryText(db_, source.GetStory(), SpansToCopy(list, source), list.GetStory(), copied);
      err != kSuccess)
    return err;
  for (const CopiedSpan& span : copied) {
    if (ErrorCode err =
            CopyAnchors(source.GetStory(), span.source, list.GetStory(), span.at, list.GetNthFrame(0));
        err != kSuccess)
      return err;
  }
  return kSuccess;
}

ErrorCode ItemCopier::Finish() {
  // Copying anchored frames adds frame lists as the loop goes.
  for (size_t i = 0; i < frameLists_.size(); ++i) {
    auto [from, to] = frameLists_[i];
    auto list = Query<IFrameList>(db_, to);
    auto source = Query<IFrameList>(db_, from);
    if (!list || !source) continue;
    OrderLikeOriginals(*list, *source);
    if (ErrorCode err = FillStory(*list, *source); err != kSuccess) return err;
  }
  return kSuccess;
}

ItemsFollowPages::ItemsFollowPages(IDataBase* db, const std::vector<UID>& spreads) : db_(db) {
  for (UID spread : spreads) {
    for (UID item : LayoutUtils::ItemsOfSpread(db, spread)) {
      UID page = LayoutUtils::PageOfItem(db, item);
      if (!page.IsValid()) continue;
      auto spreadLayer = Query<ISpreadLayer>(db, LayoutUtils::SpreadLayerOfItem(db, item));
      records_.push_back({item, page, spread, spreadLayer ? spreadLayer->GetDocumentLayer() : kInvalidUID,
                          LayoutUtils::PageBoundsInSpread(db, page).left});
    }
  }
}

void ItemsFollowPages::Apply() {
  for (const Record& r : records_) {
    auto page = Query<IPage>(db_, r.page);
    if (!page || !db_->IsValidUID(r.item)) continue;
    if (page->GetSpread() != r.spread) {
      UID parent = LayoutUtils::SpreadLayerFor(db_, page->GetSpread(), r.layer);
      if (parent.IsValid()) Reparent(db_, r.item, parent, -1);
    }
    Offset(db_, r.item, LayoutUtils::PageBoundsInSpread(db_, r.page).left - r.left, 0);
  }
}

ErrorCode Redistribute(IDataBase* db, int32_t spreadIndex, std::vector<UID>& shuffled) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto setup = LayoutUtils::QueryPageSetup(db);
  if (!spreads || !setup || spreadIndex < 0) return kInvalidParameterError;
  std::vector<UID> affected;
  std::vector<UID> pages;
  std::vector<std::pair<UID, int32_t>> before;  // (spread, position) of each page
  for (int32_t s = spreadIndex; s < spreads->CountSpreads(); ++s) {
    UID spreadUID = spreads->GetNthSpread(s);
    affected.push_back(spreadUID);
    auto spread = Query<ISpread>(db, spreadUID);
    for (int32_t i = 0; i < spread->CountPages(); ++i) {
      pages.push_back(spread->GetNthPage(i));
      before.emplace_back(spreadUID, i);
    }
  }
  ItemsFollowPages follow(db, affected);
  for (UID spreadUID : affected) {
    auto spread = Query<ISpread>(db, spreadUID);
    while (spread->CountPages() > 0)
      spread->RemovePage(spread->GetNthPage(0));
  }
  size_t next = 0;
  for (int32_t s = spreadIndex; next < pages.size(); ++s) {
    UID spreadUID = spreads->GetNthSpread(s);
    if (!spreadUID.IsValid()) spreadUID = NewSpread(db, false, -1);
    auto spread = Query<ISpread>(db, spreadUID);
    if (!spread) return kFailure;
    for (int32_t n = 0; n < setup->PagesInSpread(s) && next < pages.size(); ++n, ++next) {
      spread->InsertPage(pages[next], -1);
      Query<IPage>(db, pages[next])->SetSpread(spreadUID);
      if (before[next] != std::make_pair(spreadUID, n)) shuffled.push_back(pages[next]);
    }
  }
  follow.Apply();
  for (UID spreadUID : affected) {
    auto spread = Query<ISpread>(db, spreadUID);
    if (spread->CountPages() == 0 && LayoutUtils::ItemsOfSpread(db, spreadUID).empty()) {
      if (ErrorCode err = DeleteSpread(db, spreadUID); err != kSuccess) return err;
    }
  }
  return kSuccess;
}

ErrorCode DeleteSpread(IDataBase* db, UID spreadUID) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto spread = Query<ISpread>(db, spreadUID);
  auto node = Query<IHierarchy>(db, spreadUID);
  if (!spreads || !spread || !node) return kInvalidParameterError;
  Deleted deleted;
  for (UID item : LayoutUtils::ItemsOfSpread(db, spreadUID)) {
    if (ErrorCode err = DeleteItem(db, item, deleted); err != kSuccess) return err;
  }
  if (LayoutUtils::IsMasterSpread(db, spreadUID)) {
    for (UID page : LayoutUtils::PagesBasedOn(db, spreadUID))
      Query<IPage>(db, page)->SetMasterSpread(kInvalidUID);
  }
  std::vector<UID> owned = node->GetChildren();
  for (int32_t i = 0; i < spread->CountPages(); ++i)
    owned.push_back(spread->GetNthPage(i));
  spreads->RemoveSpread(spreadUID);
  spreads->RemoveMasterSpread(spreadUID);
  for (UID uid : owned) {
    if (ErrorCode err = db->DeleteObject(uid); err != kSuccess) return err;
  }
  return db->DeleteObject(spreadUID);
}

}  // namespace LayoutEdits
