// IHyperlinkTable (on a document): the document's hyperlinks, their destinations and its text anchors.
// A hyperlink goes from a source (a range of text, a page item or a text anchor) to a destination (a URL,
// a page or a text anchor); destinations and hyperlinks are found by name, unique among their kind. The
// changing operations are for the hyperlink commands and for text edits.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/layout/HyperlinkIDs.h"

enum class DestinationKind : uint8_t { kURL, kPage, kTextAnchor };
inline constexpr int32_t kDestinationKindCount = 3;

// How a page destination shows its page when followed.
enum class PageZoom : uint8_t {
  kFixed,
  kFitView,
  kFitInWindow,
  kFitWidth,
  kFitHeight,
  kFitVisible,
  kInherit
};
inline constexpr int32_t kPageZoomCount = 7;

struct HyperlinkDestination {
  uint32_t id = 0;  // kept for the document's life: hyperlinks name their destination by it
  WideString name;
  DestinationKind kind = DestinationKind::kURL;
  WideString url;
  UID page;
  PageZoom zoom = PageZoom::kInherit;
  double zoomPercent = 100;  // for kFixed
  UID anchor;
  bool operator==(const HyperlinkDestination&) const = default;
};

enum class SourceKind : uint8_t { kText, kItem, kTextAnchor };
inline constexpr int32_t kSourceKindCount = 3;

struct HyperlinkSource {
  SourceKind kind = SourceKind::kText;
  UID story;  // kText: [start, end) of the story, in the character style `characterStyle` (none: no style)
  int32_t start = 0;
  int32_t end = 0;
  UID characterStyle;
  UID item;    // kItem
  UID anchor;  // kTextAnchor
  bool operator==(const HyperlinkSource&) const = default;
};

struct HyperlinkAppearance {
  uint8_t highlight = 0;    // 0 none, 1 invert, 2 outline, 3 inset
  uint8_t borderWidth = 1;  // 1 thin, 2 medium, 3 thick
  uint8_t borderStyle = 0;  // 0 solid, 1 dashed
  UID borderColor;          // a swatch; none: black
  bool operator==(const HyperlinkAppearance&) const = default;
};
inline constexpr uint8_t kHighlightCount = 4;
inline constexpr uint8_t kBorderWidthMax = 3;
inline constexpr uint8_t kBorderStyleCount = 2;

struct Hyperlink {
  uint32_t id = 0;
  WideString name;
  HyperlinkSource source;
  uint32_t destination = 0;  // the id of a destination of the table
  bool visible = true;
  HyperlinkAppearance appearance;
  bool operator==(const Hyperlink&) const = default;
};

class IHyperlinkTable : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IHYPERLINKTABLE.Get() };
  virtual const std::vector<HyperlinkDestination>& GetDestinations() const = 0;
  virtual const std::vector<Hyperlink>& GetHyperlinks() const = 0;
  // The document's text anchors, in the order they were made.
  virtual const std::vector<UID>& GetTextAnchors() const = 0;
  // nullptr when there is none of that name (or id).
  virtual const HyperlinkDestination* FindDestination(const WideString& name) const = 0;
  virtual const HyperlinkDestination* FindDestination(uint32_t id) const = 0;
  virtual const Hyperlink* FindHyperlink(const WideString& name) const = 0;

  // Adds `destination` under a new id, or, when one of its name exists, replaces that one keeping its id
  // (hyperlinks to it then go to the new place). Answers the id, or 0 when the document refuses the change.
  virtual uint32_t SetDestination(HyperlinkDestination destination) = 0;
  // Adds `hyperlink` under a new id, which it answers (0 when the document refuses the change).
  virtual uint32_t AddHyperlink(Hyperlink hyperlink) = 0;
  virtual void RemoveHyperlink(uint32_t id) = 0;
  virtual void AddTextAnchor(UID anchor) = 0;
  virtual void RemoveTextAnchor(UID anchor) = 0;
  // `deleted` units at `position` of `story` were replaced by `inserted` others: text sources there move
  // with their text, and shrink with it (an empty source stays where its text was).
  virtual void NoteTextEdit(UID story, int32_t position, int32_t deleted, int32_t inserted) = 0;
};
