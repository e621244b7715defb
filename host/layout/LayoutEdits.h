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

// Copies page items with everything in them. Text frames of one story copied by one copier share one new
// story holding the original story's text and copies of the items anchored in it, their frames in the
// original flow order (Finish).
class ItemCopier {
 public:
  explicit ItemCopier(IDataBase* db) : db_(db) {}
  // Copies `item` under `parent` at child index `at` (-1: front-most), moved by (dx, dy).
  ErrorCode Copy(UID item, UID parent, int32_t at, double dx, double dy, UID& copy);
  // Puts the frames of each new frame list in the order of their originals.
  void Finish();
  const std::vector<UID>& Originals() const { return originals_; }
  const std::vector<UID>& Copies() const { return copies_; }
  const std::vector<UID>& Stories() const { return stories_; }

 private:
  ErrorCode CopyOne(UID item, UID parent, int32_t at, double dx, double dy, UID& copy);
  ErrorCode CopyFrame(UID original, UID copy);
  // The items anchored in `source` anchored, as copies, at the same indexes of `target`, whose text is a
  // copy of the source's and which `frame` shows.
  ErrorCode CopyAnchors(UID source, UID target, UID frame);
  IDataBase* db_;
  std::vector<UID> originals_;
  std::vector<UID> copies_;
  std::vector<UID> stories_;
  std::vector<std::pair<UID, UID>> frameLists_;  // original frame list, new frame list
};

// The text of `source` (with its paragraph and character attributes) as the whole text of the empty
// story `target`.
ErrorCode CopyStoryText(IDataBase* db, UID source, UID target);

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
