// ChangedClasses: the attribute classes whose overrides differ between two runs of the same style. Only
// those can make the two look different, so the writer looks at the tags that depend on them and skips the
// style look-ups of all others.
#pragma once

#include <initializer_list>
#include <vector>

#include "host/text/AttributeBossList.h"

namespace kesto {

class ChangedClasses {
 public:
  // Every class counts as changed until Compare is called.
  void Reset() {
    filtered_ = false;
    classes_.clear();
  }
  // The classes of `a` and `b` (null: no overrides) whose attributes differ or that only one of them has.
  void Compare(const AttributeBossList* a, const AttributeBossList* b);
  bool IsEmpty() const { return filtered_ && classes_.empty(); }
  // Whether any of `classes` may differ.
  bool AnyOf(std::initializer_list<ClassID> classes) const {
    if (!filtered_) return true;
    for (ClassID cls : classes) {
      for (ClassID changed : classes_) {
        if (changed == cls) return true;
      }
    }
    return false;
  }

 private:
  bool filtered_ = false;
  std::vector<ClassID> classes_;
};

}  // namespace kesto
