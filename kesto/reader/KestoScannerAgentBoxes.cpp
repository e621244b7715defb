// The import agent's box operations: box tags, the ends of text boxes and groups, with the text boxes'
// own stories nested up to eight deep.
#include "host/cmd/ErrorUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureUtils.h"
#include "kesto/layout/BuilderCodes.h"
#include "kesto/layout/DocumentItems.h"
#include "kesto/model/VyTextAttributeMgr.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/BoxTagState.h"
#include "kesto/reader/ErrorReport.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"

namespace kesto {
namespace {

// A name with a leading "?" is optional: the "?" goes and the flag is set.
WideString WithoutOptionalMark(const WideString& name, bool& optional) {
  optional = !name.empty() && name[0] == u'?';
  return optional ? WideString(name.substr(1)) : name;
}

}  // namespace

void KestoScannerAgent::Report(int32_t builderCode, std::u16string_view tagName) {
  if (IsReportedBuildCode(builderCode)) ReportBuilderError(builderCode, tagName);
}

int32_t KestoScannerAgent::PlaceBoxPicture(XPageItem& frame, const WideString& uri, bool missing) {
  IDataBase* db = frame.DataBase();
  std::string message;
  if (missing) {
    // The box keeps a proxy linked to the missing file, so that the document shows what is missing.
    (void)PictureUtils::PlaceMissingPictureProxy(db, frame.GetUID(), Utf8FromWide(uri),
                                                 PictureFormat::kUnknown, message);
    return kBuildPictureNotFound;
  }
  if (!pictureSettings_) pictureSettings_ = PictureSettingsFor(db, chosenDownloads_);
  int32_t placed = ImportPicture(db, frame.GetUID(), uri, message, *pictureSettings_);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (placed == kFetchCancelled) return kImportCancelled;
  return placed == 0 ? 0 : kBuildCannotImportPicture;
}

UID KestoScannerAgent::ReferenceByName(const BoxPlacement& placement, bool& optionalMissing) {
  bool optional = false;
  WideString name = WithoutOptionalMark(placement.referenceName, optional);
  UID found = FindBoxByLabel(*document_, name, static_cast<LabelScope>(placement.referenceScope),
                             story_ ? story_->FrameAt(-1) : kInvalidUID);
  optionalMissing = optional && !found.IsValid();
  return found;
}

int32_t KestoScannerAgent::CreateBox(int32_t boxKind, VyPageItemInfo* box) {
  std::u16string tagName(TagName());
  bool text = boxKind == static_cast<int32_t>(TagBoxKind::kText);
  if (!box || !document_) return 0;
  BoxPlacement placement;
  placement.anchored = true;
  bool failedTag = false;
  if (scanner_) {
    placement = scanner_->GetBoxTag().placement;
    failedTag = scanner_->GetBoxTag().failed;
  }
  int32_t code = 0;
  UID reference;
  bool optionalMissing = false;
  if (placement.origin == BoxOrigin::kBox && !placement.referenceName.empty())
    reference = ReferenceByName(placement, optionalMissing);
  auto* picture =
      boxKind == static_cast<int32_t>(TagBoxKind::kPicture) ? static_cast<VyImageItemInfo*>(box) : nullptr;
  bool pictureMissing = false;
  WideString pictureUri;
  if (picture && !picture->reference.empty()) {
    bool optional = false;
    WideString name = WithoutOptionalMark(picture->reference, optional);
    pictureMissing = ResolveFileReference(pictureUri, name) != 0;
    if (pictureMissing && optional) optionalMissing = true;
  }
  XPageItem item;
  if (!Receiving() || !story_ || failedTag) {
    code = kBuildBoxesNotAllowed;
  } else if (text && levels_.size() >= static_cast<size_t>(kMaxTextBoxLevels)) {
    code = kBuildNestedTooDeep;
  } else if (optionalMissing) {
    code = kBuildSkipped;
  } else {
    code = builder_->MakeBox(*story_, *box, placement, reference, item);
  }
  if (item.IsValid()) {
    ++boxCount_;
    if (!placement.labels.empty())
      (void)item.SetLabels(placement.labels);
    else if (!placement.label.empty())
      (void)item.SetLabel(placement.label);
    if (!placement.anchored && placement.stackWithReference && reference.IsValid()) {
      (void)item.SendBehind(reference);
      placement.sendToBack = false;
    }
    if (!placement.anchored && placement.itemState && !text) (void)item.SetItemState(true);
    if (picture && !picture->reference.empty() && code == 0)
      code = PlaceBoxPicture(item, pictureUri, pictureMissing);
    // The user stopped a download: the import ends there, as a cancel in its progress bar ends it.
    if (code == kImportCancelled) return kImportCancelled;
  }
  if (text) {
    UID previous = reference.IsValid() ? reference : builder_->Recent(2);
    bool threaded = false;
    if (placement.thread && item.IsValid() && (previous.IsValid() || placement.anchored)) {
      if (placement.anchored || previous == builder_->GetCurrentBox())
        code = kBuildCannotThreadAnchored;
      else if (!(threaded = item.ThreadFrom(previous)))
        code = kBuildCannotThread;
    }
    Report(code, tagName);
    if (levels_.size() < static_cast<size_t>(kMaxTextBoxLevels) && Receiving())
      OpenLevel(placement, item.GetUID(), item.IsValid() && code == 0, threaded);
    else
      ++skippedLevels_;
    return 0;
  }
  Report(code, tagName);
  return 0;
}

void KestoScannerAgent::OpenLevel(const BoxPlacement& placement, UID box, bool allowsBoxes, bool threaded) {
  TextBoxLevel level;
  level.allowsBoxes = allowsBoxes;
  level.placement = placement;
  level.box = box;
  level.savedCurrent = builder_->GetCurrentBox();
  level.enclosing = story_;
  level.position = position_;
  level.paragraphPos = paragraphPos_;
  level.markerStart = markerStart_;
  level.hiddenTextStart = hiddenTextStart_;
  builder_->SetCurrentBox(kInvalidUID);
  IDataBase* db = document_->GetDataBase();
  UID story = allowsBoxes ? LayoutUtils::StoryOfFrame(db, box) : kInvalidUID;
  if (story.IsValid()) {
    story_->Flush(false, false);
    int32_t at = threaded ? INT32_MAX : 0;
    level.story = VyRef<XStory>(new XStory(db, story, at, at));
    VyTextAttributeMgr* attributes = GetBoundAttributes();
    K2AttributeSetMgr paragraph(db, StyleKind::kParagraph), character(db, StyleKind::kCharacter);
    if (attributes && !threaded) {
      paragraph.CopyFrom(attributes->Paragraph());
      character.CopyFrom(attributes->Character());
    }
    story_ = level.story.get();
    SetStory(story_);
    if (attributes) {
      attributes->Paragraph().Bind(&story_->ParagraphAgent());
      attributes->Character().Bind(&story_->CharacterAgent());
      if (!threaded) {
        attributes->Paragraph().CopyFrom(paragraph);
        attributes->Character().CopyFrom(character);
      }
    }
    TakeStoryPosition();
  } else {
    level.allowsBoxes = false;
  }
  markerStart_ = hiddenTextStart_ = -1;
  levels_.push_back(std::move(level));
}

void KestoScannerAgent::CloseLevel() {
  TextBoxLevel& level = levels_.back();
  if (level.story) {
    if (position_ != paragraphPos_) level.story->Flush(false, true);
    level.story->Finish(0);
  }
  story_ = level.enclosing;
  SetStory(story_);
  if (VyTextAttributeMgr* attributes = GetBoundAttributes(); attributes && story_) {
    attributes->Paragraph().Bind(&story_->ParagraphAgent());
    attributes->Character().Bind(&story_->CharacterAgent());
  }
  position_ = level.position;
  paragraphPos_ = level.paragraphPos;
  markerStart_ = level.markerStart;
  hiddenTextStart_ = level.hiddenTextStart;
  builder_->SetCurrentBox(level.savedCurrent);
  levels_.pop_back();
}

int32_t KestoScannerAgent::EndTextBox(VyPageItemInfo*) {
  std::u16string tagName(TagName());
  if (skippedLevels_ > 0) {
    --skippedLevels_;
    return 0;
  }
  if (levels_.empty()) {
    Report(kBuildUnmatchedEnd, tagName);
    return 0;
  }
  TextBoxLevel& level = levels_.back();
  if (level.allowsBoxes && !level.placement.anchored) {
    XPageItem item(document_, level.box);
    if (level.placement.sendToBack) (void)item.SendBehind(kInvalidUID);
    if (level.placement.itemState) (void)item.SetItemState(true);
  }
  CloseLevel();
  return 0;
}

int32_t KestoScannerAgent::Group(const int32_t* boxNumbers, int32_t count) {
  std::u16string tagName(TagName());
  if (!InMainFlow()) {
    builder_->Enter(kInvalidUID);
    Report(kBuildNotInMainFlow, tagName);
    return 0;
  }
  Report(builder_->Group(boxNumbers, count), tagName);
  return 0;
}

}  // namespace kesto
