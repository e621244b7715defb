// RecentLists: the override lists made last, given out again for an equal list. A reader alternates between a
// few lists (a bold span and the plain text around it, one break after another); comparing with them is
// cheaper than making (and interning) a list anew.
#pragma once

#include <array>

#include "host/text/AttributeBossList.h"

namespace kesto {

class RecentLists {
 public:
  // A shared list equal to `list`.
  AttrListRef Get(const AttributeBossList& list) {
    if (last_ && (last_.get() == &list || *last_ == list)) return last_;
    for (const AttrListRef& ref : recent_) {
      if (ref && *ref == list) return last_ = ref;
    }
    last_ = MakeAttrListRef(list);
    recent_[next_++ % recent_.size()] = last_;
    return last_;
  }
  // The list Get gave out last.
  const AttrListRef& Last() const { return last_; }

 private:
  std::array<AttrListRef, 4> recent_;
  size_t next_ = 0;
  AttrListRef last_;
};

}  // namespace kesto
