// Comparing two override lists class by class.
#include "kesto/writer/ChangedClasses.h"

#include "host/text/ITextAttribute.h"

namespace kesto {

void ChangedClasses::Compare(const AttributeBossList* a, const AttributeBossList* b) {
  filtered_ = true;
  classes_.clear();
  int32_t na = a ? a->CountBosses() : 0, nb = b ? b->CountBosses() : 0;
  int32_t i = 0, j = 0;
  // Both lists are ascending by class: one merge finds what one has alone and what both have unequal.
  while (i < na || j < nb) {
    ClassID ca = i < na ? a->GetClassN(i) : ClassID();
    ClassID cb = j < nb ? b->GetClassN(j) : ClassID();
    if (j >= nb || (i < na && ca.Get() < cb.Get())) {
      classes_.push_back(ca);
      ++i;
    } else if (i >= na || cb.Get() < ca.Get()) {
      classes_.push_back(cb);
      ++j;
    } else {
      const ITextAttribute* x = a->GetNth(i);
      const ITextAttribute* y = b->GetNth(j);
      if (x != y && (!x || !y || !x->Equals(*y))) classes_.push_back(ca);
      ++i;
      ++j;
    }
  }
}

}  // namespace kesto
