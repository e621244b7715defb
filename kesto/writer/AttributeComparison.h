// AttributeComparison: the one rule by which the writer decides, attribute by attribute, whether to write
// a tag: with a base (what the reader has in force) only a changed value is written, and a value the base
// has but the current manager lacks is reverted; without a base the current value (or the context's) is
// written.
#pragma once

#include <optional>

#include "kesto/model/K2AttributeSetMgr.h"

namespace kesto {

enum class TagAction { kNothing, kWrite, kRevert };

template <class T>
struct Compared {
  std::optional<T> current;
  std::optional<T> base;
  TagAction action = TagAction::kNothing;
};

// `get` answers the value a manager holds, or nullopt.
template <class T, class Get>
Compared<T> CompareAttribute(const K2AttributeSetMgr& current, const K2AttributeSetMgr* base,
                             const K2AttributeSetMgr* context, Get get) {
  Compared<T> c;
  c.current = get(current);
  if (!base) {
    if (!c.current && context) c.current = get(*context);
    c.action = c.current ? TagAction::kWrite : TagAction::kNothing;
    return c;
  }
  c.base = get(*base);
  if (c.current && c.base && *c.current == *c.base) return c;
  c.action = c.current ? TagAction::kWrite : c.base ? TagAction::kRevert : TagAction::kNothing;
  return c;
}

}  // namespace kesto
