// Anchoring page items in text.
#include "host/layout/AnchorItemCmd.h"

#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/ITextModel.h"

namespace {

// The story `target` names: itself, or the story a text frame shows.
UID StoryOf(IDataBase* db, UID target) {
  if (Instantiate<ITextModel>(db, target)) return target;
  return LayoutUtils::StoryOfFrame(db, target);
}

// The index in the frame list of the frame whose text holds `index`; the last frame for overset text.
int32_t FrameHolding(IDataBase* db, const IFrameList& list, int32_t index) {
  for (int32_t i = 0; i < list.CountFrames(); ++i) {
    auto frame = Instantiate<ITextFrame>(db, list.GetNthFrame(i));
    if (frame && index < frame->GetTextStart() + frame->GetTextSpan()) return i;
  }
  return list.CountFrames() - 1;
}

}  // namespace

void AnchorItemCmd::Do() {
  IDataBase* db = DataBase();
  const LayoutParams& p = Params();
  if (!ItemsArePageItems() || Items().size() != 1) return Fail();
  UID item = Items()[0];
  UID story = StoryOf(db, p.target);
  auto text = Instantiate<ITextModel>(db, story);
  auto anchors = AnchorUtils::QueryAnchors(db, story);
  auto node = Instantiate<IHierarchy>(db, item);
  if (!text || !anchors || !node) return Fail();
  bool character = p.position >= 0 && p.position < text->TotalLength() - 1 &&
                   text->GetChar(p.position) == kAnchorChar && !anchors->AnchorAt(p.position);
  // An item outside the hierarchy is anchored already.
  if (!character) return Fail();
  std::string name = "item " + std::to_string(item.Get());
  if (!node->GetParent().IsValid()) return Refuse(name + " is anchored already");
  if (AnchorUtils::WouldNest(db, item, story)) return Refuse(name + " would be anchored in its own text");
  if (auto parent = Instantiate<IHierarchy>(db, node->GetParent())) parent->RemoveChild(item);
  node->SetParent(kInvalidUID);
  anchors->AddAnchor({p.position, item, p.anchor});
  UID frameList = LayoutUtils::FrameListOfStory(db, story);
  if (auto list = Instantiate<IFrameList>(db, frameList); list && list->CountFrames() > 0) {
    list->Damage(FrameHolding(db, *list, p.position));
    Note(IID_IFRAMELIST,
         {.what = kFrameListChange, .target = frameList, .position = list->GetFirstDamagedFrame()});
  }
  MainChange().target = story;
  MainChange().position = p.position;
}
