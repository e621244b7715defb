// VyRefCountedObject: an engine object shared by counting: the count starts at 1 (the creator's), every
// further holder adds one, and the release of the last reference deletes the object. VyRef<T> holds one
// reference for a scope.
#pragma once

#include <cassert>
#include <cstdint>
#include <utility>

#include "kesto/model/VyObject.h"

namespace kesto {

class VyRefCountedObject : public VyObject {
 public:
  void AddRef() { ++count_; }
  void Release() {
    assert(count_ > 0 && "Release without a reference");
    if (--count_ == 0) delete this;
  }
  int32_t GetRefCount() const { return count_; }

 private:
  int32_t count_ = 1;
};

template <class T>
class VyRef {
 public:
  VyRef() = default;
  // Adopts the creator's reference.
  explicit VyRef(T* adopted) : p_(adopted) {}
  VyRef(const VyRef& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  VyRef(VyRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  VyRef& operator=(VyRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~VyRef() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

template <class T, class... Args>
VyRef<T> MakeVyRef(Args&&... args) {
  return VyRef<T>(new T(std::forward<Args>(args)...));
}

}  // namespace kesto
