// Linking text frames, and the primary-text-flow flag.
#include "host/layout/TextLinkCmd.h"

#include "host/layout/AnchorUtils.h"
#include "host/layout/LayoutEdits.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"
#include "host/text/TextCmdUtils.h"

namespace {

// Whether a frame of `frameList` lies in an item anchored in text. Such a story is shown inside another's
// text; merging it with a story of the spreads could put a story inside itself (a frame anchored in its own
// text), which leaves the text on no page, and the hierarchy could not say where the frame is. Found from
// the document's anchored items, not from the story's frames: a story gains a frame with each page added
// for it, and each link must not cost more as it grows.
bool HasAnchoredFrame(IDataBase* db, UID frameList) {
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    auto anchors = AnchorUtils::QueryAnchors(db, stories->GetNthStory(i));
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>()) {
      for (UID item : LayoutUtils::ItemTree(db, anchor.item)) {
        if (LayoutUtils::FrameListOfFrame(db, item) == frameList) return true;
      }
    }
  }
  return false;
}

// The items anchored in `source` anchored, as they are, in `target` at `offset` plus their index: the text
// of `source` was copied there.
void MoveAnchors(IDataBase* db, UID source, UID target, int32_t offset) {
  auto from = AnchorUtils::QueryAnchors(db, source);
  auto to = AnchorUtils::QueryAnchors(db, target);
  if (!from || !to) return;
  const std::vector<Anchor> anchors = from->GetAnchors();
  for (const Anchor& anchor : anchors) {
    from->RemoveAnchor(anchor.item);
    to->AddAnchor({anchor.index + offset, anchor.item, anchor.kind});
  }
}

// The main story (the first of the document's stories) is the text that export writes and import --into
// fills. When its text is appended to another story, that story holds the text now and becomes the main
// story; otherwise the next story in creation order (often the empty one of a master frame) would take the
// role, and the main text would be lost to export and import.
void MakeMainStory(IDataBase* db, UID story) {
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  if (!stories || stories->GetNthStory(0) == story) return;
  std::vector<UID> order;
  for (int32_t i = 0; i < stories->CountStories(); ++i)
    order.push_back(stories->GetNthStory(i));
  for (UID uid : order)
    stories->RemoveStory(uid);
  stories->AddStory(story);
  for (UID uid : order)
    stories->AddStory(uid);
}

}  // namespace

ErrorCode TextLinkCmd::AppendText(UID source, UID target) {
  IDataBase* db = DataBase();
  auto from = Instantiate<ITextModel>(db, source);
  auto to = Instantiate<ITextModel>(db, target);
  int32_t length = from->TotalLength();
  if (length <= 1) return kSuccess;
  // The target's last paragraph ends before the appended text, which takes the target's final return.
  int32_t end = to->TotalLength() - 1;
  UIDRef targetRef(db, target);
  if (ErrorCode err = TextCmdUtils::InsertText(targetRef, end, u"\r"); err != kSuccess) return err;
  if (ErrorCode err = TextCmdUtils::CopyText(UIDRef(db, source), 0, length - 1, targetRef, end + 1, end + 1);
      err != kSuccess)
    return err;
  TextRun last = from->GetParagraphRun(from->CountParagraphs() - 1);
  int32_t finalReturn = to->TotalLength() - 1;
  if (ErrorCode err =
          TextCmdUtils::ApplyParagraphStyle(targetRef, finalReturn, finalReturn, last.style, true);
      err != kSuccess)
    return err;
  if (last.overrides->CountBosses() == 0) return kSuccess;
  return TextCmdUtils::ApplyOverrides(targetRef, TextStrand::kParagraph, finalReturn, finalReturn,
                                      *last.overrides);
}

void TextLinkCmd::Do() {
  IDataBase* db = DataBase();
  if (GetItemList().size() != 2) return Fail();
  UID a = Items()[0];
  UID b = Items()[1];
  auto listA = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfFrame(db, a));
  auto listB = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfFrame(db, b));
  if (!listA || !listB) return Refuse("only text frames can be linked");
  if (listA == listB)
    return Refuse("frames " + std::to_string(a.Get()) + " and " + std::to_string(b.Get()) +
                  " already show one story");
  if (listB->GetNthFrame(0) != b)
    return Refuse("frame " + std::to_string(b.Get()) + " is not the first frame of its story");
  UID listAUID = LayoutUtils::FrameListOfFrame(db, a);
  UID listBUID = LayoutUtils::FrameListOfFrame(db, b);
  if (HasAnchoredFrame(db, listAUID) || HasAnchoredFrame(db, listBUID))
    return Refuse("a frame anchored in text, or a story shown in one, cannot be linked");
  UID d = listA->GetStory();
  UID s = listB->GetStory();
  if (!Instantiate<ITextModel>(db, d) || !Instantiate<ITextModel>(db, s)) return Fail();
  SendNow(IID_ITEXTFRAMECHANGES, {.what = kFramesLinkedChange, .items = {a, b}, .others = {d, s}});
  if (Failed()) return;
  int32_t at = listA->IndexOfFrame(a) + 1;
  std::vector<UID> moving;
  for (int32_t i = 0; i < listB->CountFrames(); ++i)
    moving.push_back(listB->GetNthFrame(i));
  for (UID frame : moving) {
    listB->RemoveFrame(frame);
    LayoutEdits::AddFrame(db, listAUID, frame, at++);
  }
  auto storyList = Instantiate<IStoryList>(db, db->GetRootUID());
  bool sWasMain = storyList && storyList->GetNthStory(0) == s;
  int32_t appendedAt = Instantiate<ITextModel>(db, d)->TotalLength();
  if (ErrorCode err = AppendText(s, d); err != kSuccess) return Fail(err);
  MoveAnchors(db, s, d, appendedAt);
  if (ErrorCode err = TextCmdUtils::DeleteStory(UIDRef(db, s)); err != kSuccess) return Fail(err);
  if (ErrorCode err = db->DeleteObject(listBUID); err != kSuccess) return Fail(err);
  if (sWasMain) MakeMainStory(db, d);
  listA->Damage(listA->IndexOfFrame(a));
  Note(IID_IFRAMELIST, {.what = kFrameListChange,
                        .items = moving,
                        .target = listAUID,
                        .position = listA->GetFirstDamagedFrame()});
  Note(IID_ISTORYCHANGES, {.what = kStoryGivenUpChange, .items = {s}});
  MainChange().others = {d, s};
}

void SetPrimaryTextFlowCmd::Do() {
  IDataBase* db = DataBase();
  if (GetItemList().empty()) return Fail();
  for (UID story : Items()) {
    if (!Instantiate<IStoryFrames>(db, story)) return Fail();
  }
  for (UID story : Items())
    Instantiate<IStoryFrames>(db, story)->SetPrimaryTextFlow(Params().flag);
}
