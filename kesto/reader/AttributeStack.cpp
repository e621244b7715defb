// The attribute stack of <&+> and <&->.
#include "kesto/reader/AttributeStack.h"

namespace kesto {

namespace {

K2AttributeSet Copy(const K2AttributeSetMgr& manager) {
  const AttributeBossList* overrides = manager.GetAgent()->GetOverrides();
  return K2AttributeSet(manager.GetStyle(), overrides ? *overrides : AttributeBossList());
}

}  // namespace

bool AttributeStack::Push(const VyTextAttributeMgr& attributes, DefMode mode) {
  if (entries_.size() >= kMaxDepth) return false;
  entries_.push_back({Copy(attributes.Paragraph()), Copy(attributes.Character()), mode});
  return true;
}

bool AttributeStack::Pop(VyTextAttributeMgr& attributes, DefMode& mode) {
  if (entries_.empty()) return false;
  Entry& entry = entries_.back();
  attributes.Paragraph().CopyFrom(entry.paragraph);
  attributes.Character().CopyFrom(entry.character);
  mode = entry.mode;
  entries_.pop_back();
  return true;
}

}  // namespace kesto
