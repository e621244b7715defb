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
    if (Holds(last_, [&](const Known& k) { return k.list->HoldsSameObjects(list); })) return Last();
    for (size_t i = 0; i < recent_.size(); ++i) {
      if (Holds(i, [&](const Known& k) { return k.list->HoldsSameObjects(list); })) return Take(i);
    }
    size_t hash = list.Hash();
    for (size_t i = 0; i < recent_.size(); ++i) {
      if (Holds(i, [&](const Known& k) { return k.hash == hash && *k.list == list; })) return Take(i);
    }
    size_t slot = next_++ % recent_.size();
    recent_[slot] = {MakeAttrListRef(list), hash};
    return Take(slot);
  }
  // The list Get gave out last.
  const AttrListRef& Last() const { return recent_[last_].list; }

 private:
  struct Known {
    AttrListRef list;
    size_t hash = 0;
  };
  template <class Matches>
  bool Holds(size_t i, Matches matches) const {
    return recent_[i].list && matches(recent_[i]);
  }
  const AttrListRef& Take(size_t i) {
    last_ = i;
    return recent_[i].list;
  }

  std::array<Known, 4> recent_;
  size_t next_ = 0;
  size_t last_ = 0;  // the one Get gave out last
};

}  // namespace kesto
