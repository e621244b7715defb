// AttributeStack: the attributes saved by <&+> and given back by <&-> (and at the end of a text box): each
// entry holds copies of P and C (style and overrides) and the definition mode in force at the push.
#pragma once

#include <cstddef>
#include <deque>

#include "kesto/model/K2AttributeSet.h"
#include "kesto/model/VyTextAttributeMgr.h"
#include "kesto/reader/ScanToken.h"

namespace kesto {

class AttributeStack {
 public:
  // Deepest stack kept, so that hostile input cannot grow it without end; a push beyond it is refused.
  static constexpr size_t kMaxDepth = 4096;

  // Saves copies of both sides of `attributes` and `mode`. False, with nothing saved, at kMaxDepth.
  [[nodiscard]] bool Push(const VyTextAttributeMgr& attributes, DefMode mode);
  // Gives the newest entry's copies back to `attributes` (into whatever agents they are bound to) and its
  // mode to `mode`, then drops the entry. False, with nothing changed, when the stack is empty.
  [[nodiscard]] bool Pop(VyTextAttributeMgr& attributes, DefMode& mode);
  size_t Depth() const { return entries_.size(); }
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    K2AttributeSet paragraph;
    K2AttributeSet character;
    DefMode mode;
  };
  std::deque<Entry> entries_;
};

}  // namespace kesto
