// Queries on composed stories.
#include "host/compose/StoryQueries.h"

#include "host/compose/LineBreaker.h"
#include "host/compose/StoryComposer.h"
#include "host/layout/AnchorUtils.h"
#include "host/layout/IPageItem.h"
#include "host/layout/LayoutUtils.h"

namespace {

const ComposedFrame* ComposedFrameAt(IDataBase* db, UID story, int32_t index) {
  const StoryLayout* layout = StoryComposer::GetLayoutThrough(db, story, index);
  if (!layout || layout->frames.empty()) return nullptr;
  for (const ComposedFrame& frame : layout->frames) {
    if (index >= frame.start && index < frame.start + frame.span) return &frame;
  }
  // Text no composed frame holds: overset, once every frame is composed.
  return &layout->frames.back();
}

}  // namespace

namespace StoryQueries {

UID FrameAt(IDataBase* db, UID story, int32_t index) {
  const ComposedFrame* frame = ComposedFrameAt(db, story, index);
  return frame ? frame->frame : kInvalidUID;
}

std::optional<PMPoint> FrameSizeAt(IDataBase* db, UID story, int32_t index) {
  auto item = Instantiate<IPageItem>(db, FrameAt(db, story, index));
  if (!item) return std::nullopt;
  return PMPoint{item->GetBounds().Width(), item->GetBounds().Height()};
}

std::optional<double> BaselineAt(IDataBase* db, UID story, int32_t index) {
  const ComposedFrame* frame = ComposedFrameAt(db, story, index);
  if (!frame) return std::nullopt;
  for (const ComposedLine& line : frame->lines) {
    if (index >= line.start && index < line.end) return line.baseline;
  }
  return std::nullopt;
}

double ComposedTextHeight(IDataBase* db, UID frame) {
  const StoryLayout* layout = StoryComposer::GetLayout(db, LayoutUtils::StoryOfFrame(db, frame));
  int32_t index = LayoutUtils::FrameIndex(db, frame);
  if (!layout || index < 0 || index >= static_cast<int32_t>(layout->frames.size())) return 0;
  return layout->frames[index].textHeight;
}

double AscentAt(IDataBase* db, UID story, int32_t index) {
  auto text = Instantiate<ITextModel>(db, story);
  return text ? ResolveRunFont(text.get(), index).Ascent() : 0;
}

bool OverflowSkipsPages(IDataBase* db, UID story, int32_t index) {
  auto text = Instantiate<ITextModel>(db, story);
  if (!text || index <= 0 || text->GetChar(index - 1) != kParagraphReturn) return false;
  BreakKind kind = ResolveParagraphFormat(text.get(), text->ParagraphIndexAt(index - 1)).breakKind;
  return kind == BreakKind::kOddPage || kind == BreakKind::kEvenPage;
}

UID InlineItemAt(IDataBase* db, UID story, int32_t index) {
  auto anchors = AnchorUtils::QueryAnchors(db, story);
  const Anchor* anchor = anchors ? anchors->AnchorAt(index) : nullptr;
  return anchor ? anchor->item : kInvalidUID;
}

std::vector<Anchor> AnchoredItems(IDataBase* db, UID story) {
  auto anchors = AnchorUtils::QueryAnchors(db, story);
  return anchors ? anchors->GetAnchors() : std::vector<Anchor>();
}

std::optional<AnchorPlacement> AnchorPlacementAt(IDataBase* db, UID story, int32_t index) {
  const ComposedFrame* frame = ComposedFrameAt(db, story, index);
  if (!frame) return std::nullopt;
  for (const ComposedAnchor& anchor : frame->anchors) {
    if (anchor.index == index) return AnchorPlacement{frame->frame, anchor};
  }
  return std::nullopt;
}

}  // namespace StoryQueries
