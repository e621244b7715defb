// Free functions of the object model: creating objects and reaching their database and UID.
#pragma once

#include "host/core/BossRef.h"
#include "host/core/InterfacePtr.h"

// A new, non-persistent object of `cls` seen through its interface `iid`; empty when the class is unknown
// or has no such interface.
template <class T>
InterfacePtr<T> CreateObject(ClassID cls, PMIID iid = T::kDefaultIID) {
  BossRef boss(Boss::Create(cls));
  if (!boss) return {};
  return InterfacePtr<T>(static_cast<T*>(boss->QueryInterface(iid)));
}

inline UID GetUID(const IPMUnknown* face) {
  return face ? face->GetBoss()->GetUID() : kInvalidUID;
}
inline ClassID GetClass(const IPMUnknown* face) {
  return face ? face->GetBoss()->GetClass() : kInvalidClass;
}
