// InterfacePtr<T>: holds one counted reference to an interface and releases it.
#pragma once

#include <utility>

#include "host/core/IPMUnknown.h"

template <class T>
class InterfacePtr {
 public:
  InterfacePtr() = default;
  // Adopts a reference the caller already owns (the result of a query or a create).
  explicit InterfacePtr(T* adopted) : p_(adopted) {}
  // Queries `from` (may be null) for `iid`; empty when the object has no such interface.
  InterfacePtr(const IPMUnknown* from, PMIID iid) : p_(Query(from, iid)) {}
  InterfacePtr(const IPMUnknown* from, UseDefaultIID) : p_(Query(from, T::kDefaultIID)) {}
  template <class U>
  InterfacePtr(const InterfacePtr<U>& from, PMIID iid) : p_(Query(from.get(), iid)) {}
  template <class U>
  InterfacePtr(const InterfacePtr<U>& from, UseDefaultIID) : p_(Query(from.get(), T::kDefaultIID)) {}

  InterfacePtr(const InterfacePtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  InterfacePtr(InterfacePtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  InterfacePtr& operator=(InterfacePtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~InterfacePtr() { reset(); }

  // Takes an additional reference to an interface owned elsewhere.
  static InterfacePtr Share(T* p) {
    if (p) p->AddRef();
    return InterfacePtr(p);
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  bool operator==(const InterfacePtr& other) const = default;

  void reset(T* adopted = nullptr) {
    if (p_) p_->Release();
    p_ = adopted;
  }
  // Gives up ownership without releasing: the caller now owns the reference.
  [[nodiscard]] T* forget() { return std::exchange(p_, nullptr); }

 private:
  static T* Query(const IPMUnknown* from, PMIID iid) {
    return from ? static_cast<T*>(from->QueryInterface(iid)) : nullptr;
  }
  T* p_ = nullptr;
};
