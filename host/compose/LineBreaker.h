// LineBreaker: measures lines of a story: where a line that starts at a position must end to fit a width,
// and how tall it is. Widths are the shaped advances of the line's words (TextShaper), words starting at the
// line's start and at each character run's start. Lines break after spaces and after hyphens; a word longer
// than the width breaks between characters (a line holds at least one character); a paragraph return ends its
// line. Spaces at the end of a line hang outside the width.
//
// A U+FFFC owning an anchored item measures as the item: an inline item is as wide as its bounds and, sitting
// on the baseline, raises the line's ascent to its height and, where the character's leading is automatic,
// the line's leading to 120 % of its height (as a character of that point size would); an above-line item
// takes no width and asks for its height as room above the line; a custom item takes nothing.
#pragma once

#include <functional>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "host/compose/IStoryComposition.h"
#include "host/compose/ParagraphFormat.h"
#include "host/compose/RunFont.h"
#include "host/layout/Geometry.h"

struct LineMetrics {
  int32_t end = 0;    // after the line's last character
  double width = 0;   // without trailing spaces and the return
  double ascent = 0;  // the largest of the line's runs
  double descent = 0;
  double capHeight = 0;
  double xHeight = 0;
  double leading = 0;     // the largest leading the line's runs ask for
  double pointSize = 0;   // the largest point size of the line's runs
  double spaceAbove = 0;  // room above the line for its above-line items
  bool endsParagraph = false;
  bool hasAnchors = false;  // the line holds characters owning anchored items
};

// The number of the page a line goes on, asked only when the text holds a page-number character: finding
// it walks the document's pages.
using PageNumberSource = std::function<int32_t()>;

class LineBreaker {
 public:
  explicit LineBreaker(const ITextModel* story);

  int32_t Length() const { return length_; }
  // The line from `start` (< Length()) that fits `available` points; U+0018 measures as the number
  // `pageNumber` gives.
  LineMetrics Measure(int32_t start, double available, const PageNumberSource& pageNumber);
  const ParagraphFormat& ParagraphAt(int32_t position);
  // Adds where the items anchored in `line` (measured as `m`) go, in the line's frame coordinates.
  void PlaceAnchors(const ComposedLine& line, const LineMetrics& m, const PageNumberSource& pageNumber,
                    std::vector<ComposedAnchor>& out);

 private:
  // The character at `position` (< Length()), read through a window so that a composition that stops
  // early reads little of a long story.
  char16_t CharAt(int32_t position);
  const RunFont& FontAt(int32_t position);
  double Advance(int32_t position, const PageNumberSource& pageNumber);
  // Shapes the word from `position` (see WordEnd) within its character run.
  void StartWord(int32_t position);
  void AddRuns(LineMetrics& line, int32_t start, int32_t end);
  void AddAnchors(LineMetrics& line, int32_t start, int32_t end);
  // The anchors from the first at or after `position`.
  std::vector<Anchor>::const_iterator AnchorsFrom(int32_t position) const;
  PMPoint AnchorSize(UID item) const;

  static constexpr int32_t kFirstWindow = 1 << 12;
  static constexpr int32_t kWindow = 1 << 16;
  const ITextModel* story_;
  InterfacePtr<IStoryAnchors> anchorList_;
  const std::vector<Anchor>* anchors_ = nullptr;  // null when the story anchors nothing
  int32_t length_;
  std::u16string window_;
  int32_t windowStart_ = 0;
  // Runs with the same styles and the same override lists (equal lists are one shared list in a story)
  // have the same font: a paragraph of many alternating runs resolves each kind once.
  using FontKey = std::tuple<UID, const void*, UID, const void*>;
  struct KnownFont {
    RunFont font;
    AttrListRef characterOverrides;  // held, so that no other list can take the address in the key
    AttrListRef paragraphOverrides;
  };

  TextRun run_;           // the character run FontAt answered last
  TextRun paragraphRun_;  // and the paragraph run around it
  bool haveRun_ = false;
  std::map<FontKey, KnownFont> fonts_;
  const RunFont* runFont_ = nullptr;  // the font of run_
  std::u16string wordText_;           // the word Advance measures from, and its advances per code unit
  std::vector<double> wordAdvances_;
  int32_t wordStart_ = -1;
  int32_t wordEnd_ = -1;
  ParagraphFormat paragraph_;
  bool haveParagraph_ = false;
};
