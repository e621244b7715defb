// Measuring and breaking lines.
#include "host/compose/LineBreaker.h"

#include <algorithm>
#include <string>

#include "host/compose/TextShaper.h"
#include "host/layout/IPageItem.h"

namespace {

constexpr char16_t kPageNumberChar = 0x0018;

}  // namespace

LineBreaker::LineBreaker(const ITextModel* story)
    : story_(story), anchorList_(story, UseDefaultIID()), length_(story->TotalLength()) {
  if (anchorList_ && !anchorList_->GetAnchors().empty()) anchors_ = &anchorList_->GetAnchors();
}

std::vector<Anchor>::const_iterator LineBreaker::AnchorsFrom(int32_t position) const {
  return std::lower_bound(anchors_->begin(), anchors_->end(), position,
                          [](const Anchor& a, int32_t p) { return a.index < p; });
}

PMPoint LineBreaker::AnchorSize(UID item) const {
  auto pageItem = Instantiate<IPageItem>(GetDataBase(story_), item);
  if (!pageItem) return {};
  return {pageItem->GetBounds().Width(), pageItem->GetBounds().Height()};
}

char16_t LineBreaker::CharAt(int32_t position) {
  if (position < windowStart_ || position >= windowStart_ + static_cast<int32_t>(window_.size())) {
    windowStart_ = position;
    // The window grows with each refill: a composition that stops within the first frames reads little.
    int32_t size =
        window_.empty() ? kFirstWindow : std::min(kWindow, 2 * static_cast<int32_t>(window_.size()));
    window_.resize(std::min(size, length_ - position));
    window_.resize(story_->CopyText(position, window_.data(), static_cast<int32_t>(window_.size())));
    if (window_.empty()) return kParagraphReturn;
  }
  return window_[position - windowStart_];
}

// The font of the character run and paragraph holding `position`; run_ becomes the part of the character
// run inside that paragraph, since a run that crosses a return may take different paragraph attributes on
// each side.
const RunFont& LineBreaker::FontAt(int32_t position) {
  if (haveRun_ && position >= run_.start && position < run_.end) return *runFont_;
  if (!haveRun_ || position < paragraphRun_.start || position >= paragraphRun_.end)
    paragraphRun_ = story_->GetRunAt(TextStrand::kParagraph, position);
  run_ = story_->GetRunAt(TextStrand::kCharacter, position);
  run_.start = std::max(run_.start, paragraphRun_.start);
  run_.end = std::min(run_.end, paragraphRun_.end);
  haveRun_ = true;
  FontKey key{run_.style, run_.overrides.get(), paragraphRun_.style, paragraphRun_.overrides.get()};
  auto [it, added] = fonts_.try_emplace(key);
  if (added) {
    AttributeResolver::Place place{
        .db = ::GetDataBase(story_), .character = run_, .paragraph = paragraphRun_};
    it->second = {ResolveRunFont(place), run_.overrides, paragraphRun_.overrides};
  }
  runFont_ = &it->second.font;
  return *runFont_;
}

const ParagraphFormat& LineBreaker::ParagraphAt(int32_t position) {
  if (!haveParagraph_ || position < paragraph_.start || position >= paragraph_.end) {
    paragraph_ = ResolveParagraphFormat(story_, story_->ParagraphIndexAt(position));
    haveParagraph_ = true;
  }
  return paragraph_;
}

void LineBreaker::StartWord(int32_t position) {
  const RunFont& font = FontAt(position);
  int32_t limit = std::min({run_.end, length_, position + static_cast<int32_t>(kMaxWordLength)});
  // Read the text a few units at a time until the word ends inside what was read: a word is a few
  // characters, the longest it may be many more. The end found is the one the whole span would give.
  constexpr int32_t kStep = 16;
  wordText_.clear();
  size_t end = 0;
  for (int32_t at = position; at < limit;) {
    for (int32_t stop = std::min(limit, at + kStep); at < stop; ++at)
      wordText_.push_back(CharAt(at));
    end = WordEnd(wordText_, 0);
    if (end < wordText_.size()) break;
  }
  wordText_.resize(std::min(end, wordText_.size()));
  MeasureWord(font, wordText_, wordAdvances_);
  wordStart_ = position;
  wordEnd_ = position + static_cast<int32_t>(wordText_.size());
}

double LineBreaker::Advance(int32_t position, const PageNumberSource& pageNumber) {
  char16_t c = CharAt(position);
  if (c == kAnchorChar && anchors_) {
    auto anchor = AnchorsFrom(position);
    if (anchor != anchors_->end() && anchor->index == position && anchor->kind == AnchorKind::kInline)
      return AnchorSize(anchor->item).x;
  }
  if (c == kPageNumberChar) {
    std::string digits = std::to_string(pageNumber());
    return ShapeText(FontAt(position), std::u16string(digits.begin(), digits.end())).width;
  }
  if (position < wordStart_ || position >= wordEnd_) StartWord(position);
  return wordAdvances_[static_cast<size_t>(position - wordStart_)];
}

void LineBreaker::AddRuns(LineMetrics& line, int32_t start, int32_t end) {
  for (int32_t at = start; at < end;) {
    const RunFont& font = FontAt(at);
    line.ascent = std::max(line.ascent, font.Ascent());
    line.descent = std::max(line.descent, font.Descent());
    line.capHeight = std::max(line.capHeight, font.CapHeight());
    line.xHeight = std::max(line.xHeight, font.XHeight());
    line.leading = std::max(line.leading, font.Leading());
    line.pointSize = std::max(line.pointSize, font.pointSize);
    at = std::min(end, run_.end);
  }
}

LineMetrics LineBreaker::Measure(int32_t start, double available, const PageNumberSource& pageNumber) {
  LineMetrics line;
  wordStart_ = wordEnd_ = -1;  // words start at the line's start, as a renderer shaping the line sees them
  double width = 0;            // up to the last character that is no space
  double spaces = 0;           // spaces after it, which hang when the line breaks there
  int32_t breakAt = -1;        // the last place the line may break, and its width
  double widthAtBreak = 0;
  int32_t end = Length();
  for (int32_t i = start; i < Length(); ++i) {
    char16_t c = CharAt(i);
    if (c == kParagraphReturn) {
      end = i + 1;
      line.endsParagraph = true;
      break;
    }
    double advance = Advance(i, pageNumber);
    if (IsBreakingSpace(c)) {
      spaces += advance;
      breakAt = i + 1;
      widthAtBreak = width;
      continue;
    }
    if (i > start && width + spaces + advance > available) {
      if (breakAt > start) {
        end = breakAt;
        width = widthAtBreak;
      } else {
        end = i;
      }
      break;
    }
    width += spaces + advance;
    spaces = 0;
    if (IsBreakingHyphen(c)) {
      breakAt = i + 1;
      widthAtBreak = width;
    }
  }
  line.end = end;
  line.width = width;
  AddRuns(line, start, end);
  if (anchors_) AddAnchors(line, start, end);
  return line;
}

void LineBreaker::AddAnchors(LineMetrics& line, int32_t start, int32_t end) {
  for (auto anchor = AnchorsFrom(start); anchor != anchors_->end() && anchor->index < end; ++anchor) {
    line.hasAnchors = true;
    double height = AnchorSize(anchor->item).y;
    if (anchor->kind == AnchorKind::kAboveLine) {
      line.spaceAbove = std::max(line.spaceAbove, height);
    } else if (anchor->kind == AnchorKind::kInline) {
      line.ascent = std::max(line.ascent, height);
      if (FontAt(anchor->index).leading < 0) line.leading = std::max(line.leading, height * 1.2);
    }
  }
}

void LineBreaker::PlaceAnchors(const ComposedLine& line, const LineMetrics& m,
                               const PageNumberSource& pageNumber, std::vector<ComposedAnchor>& out) {
  double x = line.x;
  int32_t at = line.start;
  wordStart_ = wordEnd_ = -1;
  for (auto anchor = AnchorsFrom(line.start); anchor != anchors_->end() && anchor->index < line.end;
       ++anchor) {
    for (; at < anchor->index; ++at)
      x += Advance(at, pageNumber);
    double height = AnchorSize(anchor->item).y;
    double y = anchor->kind == AnchorKind::kInline      ? line.baseline - height
               : anchor->kind == AnchorKind::kAboveLine ? line.baseline - m.ascent - height
                                                        : line.baseline;
    double left = anchor->kind == AnchorKind::kAboveLine ? line.x : x;
    out.push_back({anchor->item, anchor->index, anchor->kind, left, y});
  }
}
