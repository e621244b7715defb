// BossRef: holds one counted reference to a boss and releases it, so that the tables that keep objects alive
// (a database's objects, its undo history, the session) never pair AddRef and Release by hand.
#pragma once

#include <utility>

#include "host/core/Boss.h"

class BossRef {
 public:
  BossRef() = default;
  // Adopts a reference the caller already owns (the result of Boss::Create).
  explicit BossRef(Boss* adopted) : p_(adopted) {}
  // Takes an additional reference to a boss owned elsewhere.
  static BossRef Share(Boss* boss) {
    if (boss) boss->AddRef();
    return BossRef(boss);
  }

  BossRef(const BossRef& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  BossRef(BossRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  BossRef& operator=(BossRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~BossRef() { reset(); }

  Boss* get() const { return p_; }
  Boss* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void reset() {
    if (Boss* p = std::exchange(p_, nullptr)) p->Release();
  }

 private:
  Boss* p_ = nullptr;
};
