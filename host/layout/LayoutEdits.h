// LayoutEdits: the changes the layout commands are made of. They change objects directly and must run
// inside a command (an open undo step); each answers kSuccess or an error code after which the command
// fails (the processor then undoes what was done).
#pragma once

#include <vector>

#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"
#include "host/layout/LayoutUtils.h"

namespace LayoutEdits {

// A spread (or master spread) with one spread layer per document layer, inserted at `at` (-1: the end).
UID NewSpread(IDataBase* db, bool master, int32_t at);
// A page of `spread` at position `at` (-1: the end), with the setup's margins, columns and gutter.
UID NewPage(IDataBase* db, UID spread, int32_t at, double width, double height, UID masterSpread);
// A document layer at `at`, with a spread layer in every spread and master spread.
UID NewLayer(IDataBase* db, const WideString& name, int32_t at);
// A page item of `cls` under `parent` (a spread layer or a group) at child index `at` (-1: front-most).
UID NewItem(IDataBase* db, ClassID cls, UID parent, int32_t at, const PMRect& bounds);
// Where new items go for a target the caller names: a spread layer or group as it is; a spread or page:
// the spread's layer for the active document layer (`layer` when given).
UID ParentFor(IDataBase* db, UID target, UID layer);

// Moves `item` under `parent` at child index `at` (-1: front-most).
void Reparent(IDataBase* db, UID item, UID parent, int32_t at);
// Moves the item and everything in it by (dx, dy).
void Offset(IDataBase* db, UID item, double dx, double dy);

// A new story (through the story command, so that its observers hear of it) and a frame list for it,
// with `frame` as its only frame.
ErrorCode NewStoryForFrame(IDataBase* db, UID frame, UID& story);
// Puts `frame` into `frameList` at `at` and damages the list from there.
void AddFrame(IDataBase* db, UID frameList, UID frame, int32_t at);

// What deleting items gave up, for the command's changes.
struct Deleted {
  std::vector<UID> items;
  std::vector<UID> stories;     // stories deleted with their last frame
  std::vector<UID> frameLists;  // frame lists that lost a frame but live on
};
// Deletes the item and everything in it. A text frame leaves its frame list (its text flows on in the
// others, damaged from where it was); the last frame of a story takes the story and its frame list along,
// unless the story is the document's only one. Entries of override lists naming a deleted item go too, and
// an anchored item leaves its story's anchors.
ErrorCode DeleteItem(IDataBase* db, UID item, Deleted& deleted);

// A range [start, end) of a story's text.
struct TextSpan {
  int32_t start = 0;
  int32_t end = 0;
};

// Copies page items with everything in them. Text frames of one story copied by one copier share one new
// story, their frames in the original flow order, holding text of the original story with copies of the
// items anchored in that text (Finish). Which text depends on the copier's kind.
class ItemCopier {
 public:
  enum class Text {
    kWholeStories,  // the whole text of the original story
    // The text the copied frames show, in flow order (all of it, overset too, when every frame of the story
    // is copied): a master frame's local copy shows what the master frame showed, and overriding the
    // frames of a story one by one shows each part of the text once. A frame awaiting composition counts
    // with the range it showed when last composed.
    kShownText,
  };
  explicit ItemCopier(IDataBase* db, Text text = Text::kWholeStories) : db_(db), text_(text) {}
  // Copies `item` under `parent` at child index `at` (-1: front-most), moved by (dx, dy).
  ErrorCode Copy(UID item, UID parent, int32_t at, double dx, double dy, UID& copy);
  // Puts the frames of each new frame list in the order of their originals and fills the new stories;
  // answers kSuccess or the error of a text command.
  [[nodiscard]] ErrorCode Finish();
  const std::vector<UID>& Originals() const { return originals_; }
  const std::vector<UID>& Copies() const { return copies_; }
  const std::vector<UID>& Stories() const { return stories_; }

 private:
  ErrorCode CopyOne(UID item, UID parent, int32_t at, double dx, double dy, UID& copy);
  ErrorCode CopyFrame(UID original, UID copy);
  UID OriginalOf(UID copy) const;
  void OrderLikeOriginals(IFrameList& list, const IFrameList& source) const;
  // The spans of the source story the new story of `list` holds, ascending and apart.
  std::vector<TextSpan> SpansToCopy(const IFrameList& list, const IFrameList& source) const;
  ErrorCode FillStory(const IFrameList& list, const IFrameList& source);
  // The items anchored in `span` of `source` anchored, as copies, in `target` at `at` plus their offset in
  // the span; `frame` shows the target.
  ErrorCode CopyAnchors(UID source, TextSpan span, UID target, int32_t at, UID frame);
  IDataBase* db_;
  Text text_;
  std::vector<UID> originals_;
  std::vector<UID> copies_;
  std::vector<UID> stories_;
  std::vector<std::pair<UID, UID>> frameLists_;  // original frame list, new frame list
};

// A span copied by CopyStoryText: [start, end) of the source went to `at` in the target.
struct CopiedSpan {
  TextSpan source;
  int32_t at = 0;
};
// The text of `spans` of `source` (ascending and apart, each clamped to the text) with its paragraph and
// character attributes, one after the other, as the whole text of the empty story `target`. The target's
// final return takes the attributes of the paragraph the last span ends in; a paragraph return ending the
// last span is that final return. `copied` receives where each span went.
ErrorCode CopyStoryText(IDataBase* db, UID source, const std::vector<TextSpan>& spans, UID target,
                        std::vector<CopiedSpan>& copied);

// Page moves with their items: recorded before the pages change, applied after.
class ItemsFollowPages {
 public:
  // Records where the top-level items of `spreads` lie.
  ItemsFollowPages(IDataBase* db, const std::vector<UID>& spreads);
  // Moves each recorded item that lay on a page with its page: to the page's spread (the spread layer of
  // the same document layer) and by the change of the page's offset in its spread.
  void Apply();

 private:
  struct Record {
    UID item;
    UID page;
    UID spread;
    UID layer;  // document layer
    double left;
  };
  IDataBase* db_;
  std::vector<Record> records_;
};

// Takes the pages of the document's spreads from `spreadIndex` on and fills those spreads again in order
// so that each holds the setup's count (facing pages: 1 in the first spread), adding spreads at the end
// as needed and deleting spreads left empty. Items follow their pages.
ErrorCode Redistribute(IDataBase* db, int32_t spreadIndex, std::vector<UID>& shuffled);
// Deletes a spread (or master spread) with all its items and pages; pages based on a deleted master
// spread lose their master.
ErrorCode DeleteSpread(IDataBase* db, UID spread);

}  // namespace LayoutEdits
