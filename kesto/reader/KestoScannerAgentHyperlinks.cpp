// The import agent's hyperlink operations: text and box sources, destinations found or made (pages and
// anchors that do not exist yet are made on the current page and moved at the end of the import), and
// named text anchors at the insertion point.
#include "host/cmd/ErrorUtils.h"
#include "host/layout/HyperlinkIDs.h"
#include "host/layout/HyperlinkUtils.h"
#include "host/layout/IHyperlinkTable.h"
#include "host/layout/ITextAnchor.h"
#include "kesto/layout/BuilderCodes.h"
#include "kesto/model/DocumentStyles.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/reader/VyHyperlinkInfo.h"

namespace kesto {
namespace {

// A refused command is reported by the builder's code; the host's own code goes.
bool Made(ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return code == kSuccess;
}

}  // namespace

KestoResult KestoScannerAgent::Hyperlink(const VyHyperlinkInfo* info, int32_t id) {
  std::u16string tagName(TagName());
  if (!story_ || !document_ || !Receiving()) return 0;
  if (!info) {
    hyperlinkStart_ = position_;
    hyperlinkStory_ = story_;
    return 0;
  }
  int32_t code = id >= 0 ? BoxHyperlink(*info, id) : TextHyperlink(*info);
  Report(code, tagName);
  return 0;
}

int32_t KestoScannerAgent::TextHyperlink(const VyHyperlinkInfo& info) {
  int32_t start = hyperlinkStory_ == story_ && hyperlinkStart_ >= 0 ? hyperlinkStart_ : position_;
  hyperlinkStart_ = -1;
  hyperlinkStory_ = nullptr;
  // An empty range is no source.
  if (start >= position_) return 0;
  story_->Finish(20);
  HyperlinkSource source;
  source.kind = SourceKind::kText;
  source.story = story_->GetStoryUID();
  source.start = story_->GetBaseIndex() + (start);
  source.end = story_->GetBaseIndex() + (position_);
  if (!info.characterStyle.empty())
    source.characterStyle = FindCharacterStyle(document_->GetDataBase(), info.characterStyle);
  return MakeHyperlink(info, source);
}

int32_t KestoScannerAgent::BoxHyperlink(const VyHyperlinkInfo& info, int32_t id) {
  if (id == 0) story_->Finish(0);
  UID box = id == 0 ? builder_->GetCurrentBox() : builder_->Recent(id);
  if (!box.IsValid()) return kBuildNoSuchBox;
  HyperlinkSource source;
  source.kind = SourceKind::kItem;
  source.item = box;
  return MakeHyperlink(info, source);
}

int32_t KestoScannerAgent::MakeHyperlink(const VyHyperlinkInfo& info, const HyperlinkSource& source) {
  WideString destination = FindOrCreateDestination(info);
  if (destination.empty()) return kBuildCannotCreateHyperlink;
  HyperlinkParams params;
  params.hyperlink.name = info.hyperlinkName;
  params.hyperlink.source = source;
  params.hyperlink.visible = info.visible;
  params.destinationName = destination;
  IDataBase* db = document_->GetDataBase();
  return Made(HyperlinkUtils::Process(kNewHyperlinkCmdBoss, db, {}, params)) ? 0
                                                                             : kBuildCannotCreateHyperlink;
}

WideString KestoScannerAgent::FindOrCreateDestination(const VyHyperlinkInfo& info) {
  IDataBase* db = document_->GetDataBase();
  auto table = HyperlinkUtils::QueryTable(db);
  if (!table || info.destinationName.empty()) return {};
  if (!info.newDestination && table->FindDestination(info.destinationName)) return info.destinationName;
  HyperlinkParams params;
  HyperlinkDestination& d = params.destination;
  d.name = info.destinationName;
  UID anchor = info.anchorName.empty() ? kInvalidUID : HyperlinkUtils::FindTextAnchor(db, info.anchorName);
  bool waits = false;
  if (!info.url.empty()) {
    d.kind = DestinationKind::kURL;
    d.url = info.url;
  } else if (anchor.IsValid()) {
    d.kind = DestinationKind::kTextAnchor;
    d.anchor = anchor;
  } else if (info.page >= 0 && info.page < document_->PageCount()) {
    d.kind = DestinationKind::kPage;
    d.page = document_->PageAt(info.page);
  } else if (info.page >= 0 || !info.anchorName.empty()) {
    // A page the flow has not made yet, or an anchor further on: the current page until the end.
    d.kind = DestinationKind::kPage;
    d.page = document_->PageAt(std::max(0, document_->PageIndexOfItem(story_->FrameAt(-1))));
    waits = true;
  } else {
    return {};
  }
  if (!Made(HyperlinkUtils::Process(kSetDestinationCmdBoss, db, {}, params))) return {};
  if (waits) deferredDestinations_.push_back({info.destinationName, info.page, info.anchorName});
  return info.destinationName;
}

void KestoScannerAgent::ResolveDeferredDestinations() {
  if (deferredDestinations_.empty() || !mainStory_) return;
  // The text is all in: its composition makes the pages the destinations wait for.
  mainStory_->Finish(0);
  IDataBase* db = document_->GetDataBase();
  for (const DeferredDestination& deferred : deferredDestinations_) {
    HyperlinkParams params;
    HyperlinkDestination& d = params.destination;
    d.name = deferred.name;
    UID anchor = deferred.anchor.empty() ? kInvalidUID : HyperlinkUtils::FindTextAnchor(db, deferred.anchor);
    if (anchor.IsValid()) {
      d.kind = DestinationKind::kTextAnchor;
      d.anchor = anchor;
    } else if (deferred.page >= 0 && deferred.page < document_->PageCount()) {
      d.kind = DestinationKind::kPage;
      d.page = document_->PageAt(deferred.page);
    } else {
      continue;
    }
    (void)Made(HyperlinkUtils::Process(kSetDestinationCmdBoss, db, {}, params));
  }
  deferredDestinations_.clear();
}

KestoResult KestoScannerAgent::LinkDestination(const VyLinkDestination& destination) {
  std::u16string tagName(TagName());
  if (!story_ || !document_ || !Receiving()) return 0;
  IDataBase* db = document_->GetDataBase();
  // A name given twice in one text would take the first anchor away from where the text put it.
  if (!anchorsMade_.insert(destination.name).second) {
    Report(kBuildCannotCreateTextAnchor, tagName);
    return 0;
  }
  story_->Finish(20);
  UID existing = HyperlinkUtils::FindTextAnchor(db, destination.name);
  auto old = Instantiate<ITextAnchor>(db, existing);
  int32_t oldIndex = old ? HyperlinkUtils::TextAnchorPosition(db, existing) : -1;
  bool sameStory = old && old->GetStory() == story_->GetStoryUID();
  HyperlinkParams params;
  params.name = destination.name;
  params.pageAnchor = destination.page;
  params.story = story_->GetStoryUID();
  params.position = story_->GetBaseIndex() + (position_);
  if (!Made(HyperlinkUtils::Process(kCreateTextAnchorCmdBoss, db, {}, params))) {
    Report(kBuildCannotCreateTextAnchor, tagName);
    return 0;
  }
  // The anchor's character went in at the insertion point (and left its old place).
  int32_t relativeOld = oldIndex - story_->GetBaseIndex();
  if (sameStory && oldIndex >= 0) {
    story_->NoteTextChange(relativeOld, -1);
    if (relativeOld < position_) --position_;
    if (relativeOld < paragraphPos_) --paragraphPos_;
  }
  story_->NoteTextChange(position_, 1);
  int32_t start = 0, end = 0;
  story_->GetRange(start, end);
  position_ = start;
  return 0;
}

}  // namespace kesto
