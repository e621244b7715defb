// Subject: the host's ISubject implementation, added to every object others watch (documents, stories,
// frame lists ...).
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/core/InterfacePtr.h"
#include "host/notify/IObserver.h"
#include "host/notify/ISubject.h"

class Subject final : public CPMUnknown<ISubject> {
 public:
  explicit Subject(Boss* boss) : CPMUnknown(boss) {}
  ~Subject() override;
  void AttachObserver(IObserver* observer, PMIID protocol) override;
  void DetachObserver(IObserver* observer, PMIID protocol) override;
  bool IsAttached(const IObserver* observer, PMIID protocol) const override;
  void Change(ClassID theChange, PMIID protocol, void* changedBy) override;

 private:
  struct Attachment {
    IObserver* observer;
    PMIID protocol;
  };
  std::vector<Attachment> attachments_;
  // Bumped by every detach, so that a delivery in progress notices observers that went away.
  uint64_t generation_ = 0;
};
