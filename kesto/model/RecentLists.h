// RecentLists: the override lists made last, given out again for an equal list. A reader alternates between a
// few lists (a bold span and the plain text around it, one break after another); comparing with them is
// cheaper than making (and interning) a list anew. Each is kept with its hash, so that a list is compared in
// full only with one that is most likely equal.
#pragma once

#include <array>

#include "host/text/AttributeBossList.h"

namespace kesto {

class RecentLists {
 public:
  // A shared list equal to `list` (the same object for equal lists, so that pointers compare them), valid
  // until the next call.
  const AttrListRef& Get(const AttributeBossList& list) {
    // The same attribute objects as a recent list (a reader putting the same values again, a toggle putting
    // a remembered attribute) need no hash.
    if (last_.list && last_.list->HoldsSameObjects(list)) return last_.list;
    for (const Known& known : recent_) {
      if (known.list && known.list->HoldsSameObjects(list)) {
        last_ = known;
        return last_.list;
      }
    }
    size_t hash = list.Hash();
    if (last_.list && last_.hash == hash && *last_.list == list) return last_.list;
    for (const Known& known : recent_) {
      if (known.list && known.hash == hash && *known.list == list) {
        last_ = known;
        return last_.list;
      }
    }
    last_ = {MakeAttrListRef(list), hash};
    recent_[next_++ % recent_.size()] = last_;
    return last_.list;
  }
  // The list Get gave out last.
  const AttrListRef& Last() const { return last_.list; }

 private:
  struct Known {
    AttrListRef list;
    size_t hash = 0;
  };
  std::array<Known, 4> recent_;
  size_t next_ = 0;
  Known last_;
};

}  // namespace kesto
