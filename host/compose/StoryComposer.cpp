// Composing a story into its frames.
#include "host/compose/StoryComposer.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

#include "host/cmd/CmdUtils.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/LineBreaker.h"
#include "host/compose/TextWrapFlow.h"
#include "host/db/UndoRecord.h"
#include "host/layout/IPageItem.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/ISubject.h"

namespace {

struct FrameGeometry {
  UID frame;
  FrameOptions options;
  double width = 0;
  double height = 0;
  UID page;
  int32_t pageNumber = 0;
  TextWrapFlow wrap;
};

FrameGeometry GeometryOf(IDataBase* db, UID frame) {
  FrameGeometry g;
  g.frame = frame;
  if (auto text = Instantiate<ITextFrame>(db, frame)) g.options = text->GetOptions();
  if (auto item = Instantiate<IPageItem>(db, frame)) {
    g.width = item->GetBounds().Width();
    g.height = item->GetBounds().Height();
  }
  g.page = LayoutUtils::PageOfItem(db, frame);
  g.pageNumber = g.page != kInvalidUID ? LayoutUtils::PageNumber(db, g.page) : 0;
  g.wrap = TextWrapFlow::ForFrame(db, frame);
  return g;
}

// Where a paragraph's break sends the text next.
struct PendingBreak {
  BreakKind kind = BreakKind::kNone;
  UID fromPage;
  // Whether frame `g` may take the text after the break.
  bool Accepts(const FrameGeometry& g) const {
    switch (kind) {
      case BreakKind::kPage:
        return g.page != fromPage;
      case BreakKind::kOddPage:
        return g.page != fromPage && g.pageNumber % 2 == 1;
      case BreakKind::kEvenPage:
        return g.page != fromPage && g.pageNumber % 2 == 0;
      default:
        return true;
    }
  }
};

class FrameFlow {
 public:
  FrameFlow(LineBreaker& breaker, int32_t position) : breaker_(breaker), position_(position) {}
  int32_t Position() const { return position_; }
  bool Done() const { return position_ >= breaker_.Length(); }
  // Composes one frame from the current position; `pending` carries a break across frames.
  ComposedFrame Compose(const FrameGeometry& g, PendingBreak& pending);

 private:
  // Fills one column; answers false when a break sends the text beyond this frame.
  bool ComposeColumn(const FrameGeometry& g, double left, double width, ComposedFrame& out,
                     PendingBreak& pending);
  double FirstBaseline(const FrameGeometry& g, const LineMetrics& m) const;
  // Moves the line at `baseline` from `left` over `available` points aside or down for the items whose wrap
  // reaches it, measuring it again where its room narrows.
  void WrapLine(const FrameGeometry& g, double& left, double& available, double& baseline, LineMetrics& m);

  LineBreaker& breaker_;
  int32_t position_;
  double spaceAfter_ = 0;  // the space after the paragraph last composed
};

double FrameFlow::FirstBaseline(const FrameGeometry& g, const LineMetrics& m) const {
  double top = g.options.insets.top;
  double offset = 0;
  switch (g.options.firstBaseline) {
    case FirstBaseline::kAscent:
      offset = m.ascent;
      break;
    case FirstBaseline::kCapHeight:
      offset = m.capHeight;
      break;
    case FirstBaseline::kLeading:
      offset = m.leading;
      break;
    case FirstBaseline::kXHeight:
      offset = m.xHeight;
      break;
    case FirstBaseline::kEmBox:
      offset = m.pointSize;
      break;
    case FirstBaseline::kFixed:
      break;
  }
  return top + std::max(offset, g.options.firstBaselineMinimum);
}

void FrameFlow::WrapLine(const FrameGeometry& g, double& left, double& available, double& baseline,
                         LineMetrics& m) {
  const double right = left + available;
  // Each step moves the line below an area or narrows it; the bound ends a pathological stack of areas.
  for (int step = 0; step < 64; ++step) {
    TextWrapFlow::Room room = g.wrap.Fit(baseline - m.ascent, baseline + m.descent, left, right);
    if (room.Pushed()) {
      baseline = room.below + m.ascent;
      if (!std::isfinite(baseline)) return;
      continue;
    }
    if (room.left == left && room.right == right) return;
    left = room.left;
    available = room.right - room.left;
    m = breaker_.Measure(position_, available, g.pageNumber);
    return;
  }
}

double AlignmentOffset(int32_t alignment, double slack) {
  if (slack <= 0) return 0;
  if (alignment == static_cast<int32_t>(LineAlignment::kCenter)) return slack / 2;
  if (alignment == static_cast<int32_t>(LineAlignment::kRight)) return slack;
  return 0;
}

bool FrameFlow::ComposeColumn(const FrameGeometry& g, double left, double width, ComposedFrame& out,
                              PendingBreak& pending) {
  const double bottom = g.height - g.options.insets.bottom;
  const size_t first = out.lines.size();
  const size_t firstAnchor = out.anchors.size();
  double baseline = 0;
  std::vector<double> bottoms;  // each line's descent line, for the column's depth
  bool leavesFrame = false;     // a break sends the text beyond this frame
  while (!Done() && !leavesFrame) {
    const ParagraphFormat para = breaker_.ParagraphAt(position_);
    const bool paragraphStart = position_ == para.start;
    const double indent = para.leftIndent + (paragraphStart ? para.firstLineIndent : 0);
    double available = width - indent - para.rightIndent;
    LineMetrics m = breaker_.Measure(position_, std::max(available, 0.0), g.pageNumber);
    const bool top = out.lines.size() == first;
    double next = top ? FirstBaseline(g, m)
                      : baseline + m.leading + (paragraphStart ? spaceAfter_ + para.spaceBefore : 0);
    next += m.spaceAbove;
    double lineLeft = left + indent;
    if (!g.wrap.empty()) WrapLine(g, lineLeft, available, next, m);
    if (next + m.descent > bottom) {
      // A paragraph kept whole that started lower in this column moves to the next one entirely.
      size_t paraFirst = first;
      while (paraFirst < out.lines.size() && out.lines[paraFirst].start < para.start)
        ++paraFirst;
      bool startsHere = paraFirst < out.lines.size() && out.lines[paraFirst].start == para.start;
      if (para.keepAllLines && !paragraphStart && startsHere && paraFirst > first) {
        out.lines.resize(paraFirst);
        bottoms.resize(paraFirst - first);
        std::erase_if(out.anchors, [&](const ComposedAnchor& a) { return a.index >= para.start; });
        position_ = para.start;
      }
      break;
    }
    baseline = next;
    bottoms.push_back(baseline + m.descent);
    double x = lineLeft + AlignmentOffset(para.alignment, available - m.width);
    out.lines.push_back({position_, m.end, x, baseline, m.width});
    if (m.hasAnchors) breaker_.PlaceAnchors(out.lines.back(), m, g.pageNumber, out.anchors);
    position_ = m.end;
    if (!m.endsParagraph) continue;
    spaceAfter_ = para.spaceAfter;
    if (para.breakKind == BreakKind::kColumn) break;
    if (para.breakKind != BreakKind::kNone) {
      pending = {para.breakKind, g.page};
      leavesFrame = true;
    }
  }
  double depth = bottoms.empty() ? g.options.insets.top : bottoms.back();
  out.textHeight = std::max(out.textHeight, depth - g.options.insets.top);
  double slack = bottom - depth;
  double shift = g.options.verticalJustification == VerticalJustification::kCenter   ? slack / 2
                 : g.options.verticalJustification == VerticalJustification::kBottom ? slack
                                                                                     : 0;
  if (out.lines.size() > first && shift > 0) {
    for (size_t i = first; i < out.lines.size(); ++i)
      out.lines[i].baseline += shift;
    for (size_t i = firstAnchor; i < out.anchors.size(); ++i)
      out.anchors[i].y += shift;
  }
  return !leavesFrame;
}

ComposedFrame FrameFlow::Compose(const FrameGeometry& g, PendingBreak& pending) {
  ComposedFrame out;
  out.frame = g.frame;
  out.start = position_;
  if (!pending.Accepts(g)) return out;
  pending = {};
  const FrameOptions& o = g.options;
  int32_t columns = std::clamp(o.columns, 1, kMaxColumns);
  double width = (g.width - o.insets.left - o.insets.right - (columns - 1) * o.gutter) / columns;
  for (int32_t column = 0; column < columns && !Done(); ++column) {
    double left = o.insets.left + column * (width + o.gutter);
    if (!ComposeColumn(g, left, std::max(width, 0.0), out, pending)) break;
  }
  out.span = position_ - out.start;
  return out;
}

InterfacePtr<IFrameList> FrameListOf(IDataBase* db, UID story) {
  return Instantiate<IFrameList>(db, LayoutUtils::FrameListOfStory(db, story));
}

void Announce(IDataBase* db, StoryComposedChange change) {
  if (auto subject = Instantiate<ISubject>(db, db->GetRootUID()))
    subject->Change(kStoryComposedChange, IID_ICOMPOSECHANGES, &change);
}

// The frame to start from and the results kept before it.
int32_t StartFrame(const IStoryComposition* results, const IFrameList* list) {
  if (!list || !results->IsComposed()) return 0;
  int32_t damaged = list->GetFirstDamagedFrame();
  if (damaged < 0) damaged = list->CountFrames();
  return std::min<int32_t>(damaged, static_cast<int32_t>(results->GetLayout().frames.size()));
}

// Once a frame starts where it started before, moved only by the edits (and past them), it and the frames
// after it compose as before: their results move along instead of being composed again.
bool ReuseRest(const TextEdits& edits, const PendingBreak& pending, StoryLayout& old, int32_t index,
               int32_t count, int32_t position, StoryLayout& layout) {
  if (!edits.reusable || pending.kind != BreakKind::kNone) return false;
  if (static_cast<int32_t>(old.frames.size()) != count || index >= count) return false;
  if ((edits.any && position < edits.end) || position - edits.delta != old.frames[index].start) return false;
  for (int32_t k = index; k < count; ++k) {
    ComposedFrame& frame = old.frames[k];
    frame.start += edits.delta;
    for (ComposedLine& line : frame.lines) {
      line.start += edits.delta;
      line.end += edits.delta;
    }
    for (ComposedAnchor& anchor : frame.anchors)
      anchor.index += edits.delta;
    layout.frames.push_back(std::move(frame));
  }
  layout.oversetStart = old.oversetStart + edits.delta;
  return true;
}

void WriteRanges(IDataBase* db, IFrameList* list, const StoryLayout& layout, int32_t from, int32_t to,
                 int32_t damaged) {
  UntrackedChanges untracked(db);
  for (int32_t i = from; i < to; ++i) {
    if (auto frame = Instantiate<ITextFrame>(db, layout.frames[i].frame))
      frame->SetTextRange(layout.frames[i].start, layout.frames[i].span);
  }
  if (list) list->SetFirstDamagedFrame(damaged);
}

}  // namespace

namespace StoryComposer {

bool NeedsComposition(IDataBase* db, UID story) {
  auto results = Instantiate<IStoryComposition>(db, story);
  if (!results) return false;
  auto list = FrameListOf(db, story);
  return !results->IsComposed() || (list && list->GetFirstDamagedFrame() >= 0);
}

int32_t ComposeStory(IDataBase* db, UID story, const ComposeTimer& timer) {
  return ComposeThrough(db, story, timer, std::numeric_limits<int32_t>::max());
}

int32_t ComposeThrough(IDataBase* db, UID story, const ComposeTimer& timer, int32_t through) {
  auto text = Instantiate<ITextModel>(db, story);
  auto results = Instantiate<IStoryComposition>(db, story);
  if (!text || !results) return kInvalidParameterError;
  size_t scheduled = CmdUtils::CountScheduledCmds();
  auto list = FrameListOf(db, story);
  int32_t from = StartFrame(results.get(), list.get());
  const TextEdits edits = results->GetEdits();
  StoryLayout old = results->TakeLayout();
  StoryLayout layout;
  layout.frames.assign(std::make_move_iterator(old.frames.begin()),
                       std::make_move_iterator(old.frames.begin() + from));
  LineBreaker breaker(text.get());
  FrameFlow flow(breaker, from == 0 ? 0 : layout.frames.back().start + layout.frames.back().span);
  int32_t count = list ? list->CountFrames() : 0;
  PendingBreak pending;
  int32_t i = from;
  int32_t written = -1;  // the frames from here on need no new text range
  layout.oversetStart = -1;
  for (; i < count; ++i) {
    if (i > from && (timer.Expired() || flow.Position() > through)) break;
    if (i > from && ReuseRest(edits, pending, old, i, count, flow.Position(), layout)) {
      // Frames that did not move keep the text ranges they have.
      if (edits.delta == 0) written = i;
      i = count;
      break;
    }
    layout.frames.push_back(flow.Compose(GeometryOf(db, list->GetNthFrame(i)), pending));
  }
  bool finished = i >= count;
  if (layout.oversetStart < 0) layout.oversetStart = flow.Position();
  layout.length = breaker.Length();
  WriteRanges(db, list.get(), layout, from,
              written < 0 ? static_cast<int32_t>(layout.frames.size()) : written, finished ? -1 : i);
  bool overset = layout.IsOverset();
  results->SetLayout(std::move(layout));
  Announce(db, {story, from, finished, overset});
  if (!finished || CmdUtils::CountScheduledCmds() > scheduled) return kComposeStopped;
  return kSuccess;
}

int32_t ComposeFully(IDataBase* db, UID story) {
  int32_t result = kComposeStopped;
  for (int guard = 0; result == kComposeStopped && guard < 1000; ++guard) {
    result = ComposeStory(db, story);
    if (result == kComposeStopped && !NeedsComposition(db, story)) return kSuccess;
  }
  return result;
}

const StoryLayout* GetLayoutThrough(IDataBase* db, UID story, int32_t index) {
  auto results = Instantiate<IStoryComposition>(db, story);
  if (!results) return nullptr;
  for (int guard = 0; guard < 1000 && NeedsComposition(db, story); ++guard) {
    const StoryLayout& layout = results->GetLayout();
    bool covered =
        results->IsComposed() && !layout.frames.empty() &&
        layout.frames.back().start + layout.frames.back().span > index &&
        StartFrame(results.get(), FrameListOf(db, story).get()) >= static_cast<int32_t>(layout.frames.size());
    if (covered) break;
    (void)ComposeThrough(db, story, {}, index);
  }
  return &results->GetLayout();
}

const StoryLayout* GetLayout(IDataBase* db, UID story) {
  auto results = Instantiate<IStoryComposition>(db, story);
  if (!results) return nullptr;
  if (NeedsComposition(db, story)) (void)ComposeFully(db, story);
  return &results->GetLayout();
}

void DamageAt(IDataBase* db, UID story, int32_t position) {
  auto results = Instantiate<IStoryComposition>(db, story);
  auto list = FrameListOf(db, story);
  if (!list || list->CountFrames() == 0) return;
  int32_t index = 0;
  if (results && results->IsComposed()) {
    const auto& frames = results->GetLayout().frames;
    while (index + 1 < static_cast<int32_t>(frames.size()) &&
           position >= frames[index].start + frames[index].span && frames[index].span > 0)
      ++index;
    // An edit in a frame's first line may let text go back to the frame before.
    const ComposedFrame& frame = frames[index];
    int32_t firstLineEnd = frame.lines.empty() ? frame.start : frame.lines.front().end;
    if (index > 0 && position <= firstLineEnd) --index;
  }
  list->Damage(index);
}

}  // namespace StoryComposer
