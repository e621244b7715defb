// The consistency check of a document's layout.
#include "host/layout/LayoutCheck.h"

#include <unordered_map>
#include <unordered_set>

#include "host/layout/AnchorUtils.h"
#include "host/layout/HyperlinkCheck.h"
#include "host/layout/IStoryAnchors.h"
#include "host/layout/ItemLook.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureCheck.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"

namespace LayoutCheck {
namespace {

std::string Number(UID uid) {
  return std::to_string(uid.Get());
}

class Checker {
 public:
  explicit Checker(const IDataBase& db) : db_(&db) {}

  std::string Run() {
    auto spreads = LayoutUtils::QuerySpreadList(db_);
    auto layers = LayoutUtils::QueryLayerList(db_);
    if (!spreads || !layers) return "the document has no layout lists";
    for (int32_t i = 0; i < layers->CountLayers(); ++i) {
      if (!Instantiate<IDocumentLayer>(db_, layers->GetNthLayer(i)))
        return "the layer list names a non-layer";
    }
    if (layers->CountLayers() > 0 && layers->IndexOfLayer(layers->GetActiveLayer()) < 0)
      return "the active layer is not a layer of the document";
    for (int32_t i = 0; i < spreads->CountSpreads() + spreads->CountMasterSpreads(); ++i) {
      UID spread = LayoutUtils::SpreadAt(db_, i);
      bool master = i >= spreads->CountSpreads();
      if (db_->GetClass(spread) != (master ? kMasterSpreadBoss : kSpreadBoss) || !seen_.insert(spread).second)
        return "the spread list names object " + Number(spread) + ", which is no spread of its kind";
      if (std::string fault = SpreadFault(spread, *layers); !fault.empty()) return fault;
    }
    if (std::string fault = AnchorsFault(); !fault.empty()) return fault;
    if (std::string fault = SectionsFault(); !fault.empty()) return fault;
    if (std::string fault = StoriesFault(); !fault.empty()) return fault;
    if (std::string fault = ItemLook::FindFault(*db_); !fault.empty()) return fault;
    if (std::string fault = HyperlinkCheck::FindFault(*db_); !fault.empty()) return fault;
    if (std::string fault = PictureCheck::FindFault(*db_); !fault.empty()) return fault;
    UID nested = AnchorUtils::FindNestedStory(db_);
    return nested.IsValid() ? "story " + Number(nested) + " is shown inside its own text" : std::string();
  }

 private:
  std::string SpreadFault(UID spreadUID, const ILayerList& layers) {
    auto spread = Instantiate<ISpread>(db_, spreadUID);
    auto node = Instantiate<IHierarchy>(db_, spreadUID);
    for (int32_t i = 0; i < spread->CountPages(); ++i) {
      UID pageUID = spread->GetNthPage(i);
      auto page = Instantiate<IPage>(db_, pageUID);
      if (!page || page->GetSpread() != spreadUID || !seen_.insert(pageUID).second)
        return "spread " + Number(spreadUID) + " names page " + Number(pageUID) + ", which is not its page";
      if (page->GetMasterSpread().IsValid() && !LayoutUtils::IsMasterSpread(db_, page->GetMasterSpread()))
        return "page " + Number(pageUID) + " is based on a non-master";
      if (!IsValidCoordinate(page->GetWidth()) || !IsValidCoordinate(page->GetHeight()))
        return "page " + Number(pageUID) + " has no valid size";
      for (const OverrideEntry& e : page->GetOverrides()) {
        if (!LayoutUtils::IsPageItem(db_, e.masterItem) || !LayoutUtils::IsPageItem(db_, e.localItem))
          return "page " + Number(pageUID) + " overrides an item that does not exist";
      }
    }
    const std::vector<UID>& children = node->GetChildren();
    if (static_cast<int32_t>(children.size()) != layers.CountLayers())
      return "spread " + Number(spreadUID) + " does not have one layer per document layer";
    for (size_t i = 0; i < children.size(); ++i) {
      auto layer = Instantiate<ISpreadLayer>(db_, children[i]);
      if (!layer || layer->GetDocumentLayer() != layers.GetNthLayer(static_cast<int32_t>(i)))
        return "spread " + Number(spreadUID) + " has layers out of the document's order";
      if (std::string fault = TreeFault(children[i], spreadUID, 0); !fault.empty()) return fault;
    }
    return {};
  }

  std::string TreeFault(UID nodeUID, UID parent, int depth) {
    auto node = Instantiate<IHierarchy>(db_, nodeUID);
    if (!node || node->GetParent() != parent || depth > kMaxItemDepth ||
        (depth > 0 && !seen_.insert(nodeUID).second))
      return "the hierarchy is inconsistent at object " + Number(nodeUID);
    if (depth > 0 && !LayoutUtils::IsPageItem(db_, nodeUID))
      return "object " + Number(nodeUID) + " is no page item";
    UID master = depth > 0 ? Instantiate<IPageItem>(db_, nodeUID)->GetOverrideOf() : kInvalidUID;
    if (master.IsValid() && !LayoutUtils::IsPageItem(db_, master))
      return "item " + Number(nodeUID) + " overrides object " + Number(master) + ", which is no page item";
    if (auto frame = Instantiate<ITextFrame>(db_, nodeUID)) {
      auto list = Instantiate<IFrameList>(db_, frame->GetFrameList());
      if (!list || !FramesOf(frame->GetFrameList(), *list).contains(nodeUID) ||
          !Instantiate<ITextModel>(db_, list->GetStory()) ||
          LayoutUtils::FrameListOfStory(db_, list->GetStory()) != frame->GetFrameList())
        return "text frame " + Number(nodeUID) + " and its frame list disagree";
      if (frame->GetOptions().columns < 1 || frame->GetOptions().columns > kMaxColumns)
        return "text frame " + Number(nodeUID) + " has no valid column count";
    }
    for (UID child : node->GetChildren()) {
      if (std::string fault = TreeFault(child, nodeUID, depth + 1); !fault.empty()) return fault;
    }
    return {};
  }

  // Items anchored in text are trees of their own: no parent, each anchored once, on a U+FFFC.
  std::string AnchorsFault() {
    auto stories = Instantiate<IStoryList>(db_, db_->GetRootUID());
    for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
      UID story = stories->GetNthStory(i);
      auto anchors = Instantiate<IStoryAnchors>(db_, story);
      auto text = Instantiate<ITextModel>(db_, story);
      for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>()) {
        if (!text || anchor.index < 0 || anchor.index >= text->TotalLength() - 1 ||
            text->GetChar(anchor.index) != kAnchorChar)
          return "story " + Number(story) + " anchors item " + Number(anchor.item) +
                 " on no anchor character";
        if (std::string fault = TreeFault(anchor.item, kInvalidUID, 1); !fault.empty()) return fault;
      }
    }
    return {};
  }

  // Each section starts on a document page, and no two on the same one.
  std::string SectionsFault() {
    auto sections = LayoutUtils::QuerySectionList(db_);
    std::unordered_set<UID> starts;
    for (const Section& s : sections ? sections->GetSections() : std::vector<Section>()) {
      int32_t index = LayoutUtils::PageIndexOf(db_, s.firstPage);
      if (index < 0 || index >= LayoutUtils::CountPages(db_) || !starts.insert(s.firstPage).second)
        return "a section starts on object " + Number(s.firstPage) + ", which is no page of its own";
    }
    return {};
  }

  // Every frame a frame list names is a text frame in the hierarchy naming that list.
  std::string StoriesFault() {
    auto stories = Instantiate<IStoryList>(db_, db_->GetRootUID());
    for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
      UID listUID = LayoutUtils::FrameListOfStory(db_, stories->GetNthStory(i));
      if (!listUID.IsValid()) continue;
      auto list = Instantiate<IFrameList>(db_, listUID);
      if (!list || list->GetStory() != stories->GetNthStory(i))
        return "story " + Number(stories->GetNthStory(i)) + " and its frame list disagree";
      for (int32_t f = 0; f < list->CountFrames(); ++f) {
        UID frame = list->GetNthFrame(f);
        if (!seen_.contains(frame) || LayoutUtils::FrameListOfFrame(db_, frame) != listUID)
          return "frame list " + Number(listUID) + " names frame " + Number(frame) +
                 ", which is not its frame";
      }
    }
    return {};
  }

  // The frames a frame list names, gathered once per list so that the check stays linear in the frames.
  const std::unordered_set<UID>& FramesOf(UID listUID, const IFrameList& list) {
    auto [at, added] = frames_.try_emplace(listUID);
    for (int32_t i = 0; added && i < list.CountFrames(); ++i)
      at->second.insert(list.GetNthFrame(i));
    return at->second;
  }

  const IDataBase* db_;
  std::unordered_set<UID> seen_;
  std::unordered_map<UID, std::unordered_set<UID>> frames_;
};

}  // namespace

std::string FindFault(const IDataBase& db) {
  return Checker(db).Run();
}

}  // namespace LayoutCheck
