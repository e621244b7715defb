// Delivery of changes to observers.
#include "host/notify/Subject.h"

#include <algorithm>

Subject::~Subject() = default;

void Subject::AttachObserver(IObserver* observer, PMIID protocol) {
  if (observer && !IsAttached(observer, protocol)) attachments_.push_back({observer, protocol});
}

void Subject::DetachObserver(IObserver* observer, PMIID protocol) {
  auto same = [&](const Attachment& a) { return a.observer == observer && a.protocol == protocol; };
  if (std::erase_if(attachments_, same) > 0) ++generation_;
}

bool Subject::IsAttached(const IObserver* observer, PMIID protocol) const {
  return std::any_of(attachments_.begin(), attachments_.end(),
                     [&](const Attachment& a) { return a.observer == observer && a.protocol == protocol; });
}

void Subject::Change(ClassID theChange, PMIID protocol, void* changedBy) {
  std::vector<IObserver*> targets;
  for (const auto& a : attachments_) {
    if (a.protocol == protocol) targets.push_back(a.observer);
  }
  uint64_t generation = generation_;
  // The subject's boss stays alive while observers run, whatever they release.
  InterfacePtr<ISubject> self = InterfacePtr<ISubject>::Share(this);
  for (IObserver* observer : targets) {
    if (generation != generation_ && !IsAttached(observer, protocol)) continue;
    observer->Update(theChange, this, protocol, changedBy);
  }
}
