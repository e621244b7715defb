// Bosses: lazily created implementations behind one shared reference count.
#include "host/core/Boss.h"

#include <algorithm>
#include <cassert>

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"

Boss* Boss::Create(ClassID cls) {
  auto resolved = Registry::Get().Resolve(cls);
  if (!resolved) return nullptr;
  return new Boss(cls, std::move(resolved));
}

Boss* Boss::CreateUnknown(ClassID cls) {
  return new Boss(cls, nullptr);
}

Boss::Boss(ClassID cls, std::shared_ptr<const ResolvedClass> resolved)
    : class_(cls), resolved_(std::move(resolved)) {
  if (!resolved_) return;
  slots_.reserve(resolved_->entries.size());
  for (const auto& e : resolved_->entries)
    slots_.push_back({e.iid, e.implementation, e.persistent, {}, nullptr});
}

// Implementations go in the reverse order of their interfaces, so later ones may still use earlier ones.
Boss::~Boss() {
  for (auto it = slots_.rbegin(); it != slots_.rend(); ++it)
    it->object.reset();
}

void Boss::Release() const {
  assert(refCount_ > 0 && "Release without a reference");
  if (--refCount_ == 0) delete this;
}

Boss::Slot* Boss::FindSlot(PMIID iid) const {
  auto it =
      std::lower_bound(slots_.begin(), slots_.end(), iid, [](const Slot& s, PMIID id) { return s.iid < id; });
  return it != slots_.end() && it->iid == iid ? &*it : nullptr;
}

Boss::Slot* Boss::FindSlotByImplementation(ImplementationID implementation) const {
  for (auto& s : slots_) {
    if (s.implementation == implementation) return &s;
  }
  return nullptr;
}

void Boss::Instantiate(Slot& slot) const {
  if (slot.object) return;
  auto entry = std::lower_bound(resolved_->entries.begin(), resolved_->entries.end(), slot.iid,
                                [](const ResolvedClass::Entry& e, PMIID id) { return e.iid < id; });
  assert(entry != resolved_->entries.end() && entry->iid == slot.iid);
  CreatedImplementation made = entry->factory(const_cast<Boss*>(this));
  made.object->implementation_ = slot.implementation;
  slot.object.reset(made.object);
  slot.face = made.face;
}

IPMUnknown* Boss::QueryInterface(PMIID iid) const {
  Slot* slot = FindSlot(iid);
  if (!slot) return nullptr;
  Instantiate(*slot);
  AddRef();
  return slot->face;
}

CPMUnknownBase* Boss::GetImplementation(ImplementationID implementation) const {
  Slot* slot = FindSlotByImplementation(implementation);
  if (!slot) return nullptr;
  Instantiate(*slot);
  return slot->object.get();
}

bool Boss::HasImplementation(ImplementationID implementation) const {
  return FindSlotByImplementation(implementation) != nullptr;
}

std::vector<CPMUnknownBase*> Boss::GetLivePersistentImplementations() const {
  std::vector<CPMUnknownBase*> live;
  for (const auto& s : slots_) {
    if (s.persistent && s.object) live.push_back(s.object.get());
  }
  return live;
}

ErrorCode CPMUnknownBase::PreDirty() const {
  return boss_->NotePreDirty(implementation_);
}
