// The translation table and its index of sources.
#include "kesto/reader/TranslationTable.h"

#include <algorithm>
#include <new>

#include "kesto/reader/ScannerErrors.h"

namespace kesto {

void TranslationTable::Clear() {
  targetOf_.assign(1, -1);
  roots_.fill(-1);
  edges_.clear();
  hasWideRoots_ = false;
  targets_.clear();
  pool_.clear();
  bytes_ = 0;
  longest_ = 0;
}

int32_t TranslationTable::Child(int32_t node, int32_t c) const {
  if (node == kRoot && c >= 0 && c < kDirect) return roots_[static_cast<size_t>(c)];
  auto found = edges_.find(EdgeKey(node, c));
  return found == edges_.end() ? -1 : found->second;
}

int64_t TranslationTable::NewNodes(std::u32string_view source) const {
  int32_t node = kRoot;
  for (size_t i = 0; i < source.size(); ++i) {
    node = Child(node, static_cast<int32_t>(source[i]));
    if (node < 0) return static_cast<int64_t>(source.size() - i);
  }
  return 0;
}

int32_t TranslationTable::Add(std::u32string_view source, std::u32string_view target) {
  if (source.size() > kMaxSourceLength) return kScanTranslationSourceTooLong;
  if (target.size() > kMaxTargetLength) return kScanTranslationTargetTooLong;
  if (source.empty()) return 0;
  // Link and two lengths, then the characters, as a record of the table holds them.
  constexpr int64_t kRecordBytes = 16;
  int64_t bytes = bytes_ + kRecordBytes + 4 * static_cast<int64_t>(source.size() + target.size()) +
                  kNodeBytes * NewNodes(source);
  if (bytes > kMaxBytes) return kScanNoMemoryForTranslations;
  try {
    Insert(source, target);
  } catch (const std::bad_alloc&) {
    // The index may hold nodes of a source without its target: they match nothing.
    return kScanNoMemoryForTranslations;
  }
  bytes_ = bytes;
  return 0;
}

void TranslationTable::Insert(std::u32string_view source, std::u32string_view target) {
  int32_t node = kRoot;
  for (char32_t unit : source) {
    auto c = static_cast<int32_t>(unit);
    int32_t child = Child(node, c);
    if (child < 0) {
      child = static_cast<int32_t>(targetOf_.size());
      targetOf_.push_back(-1);
      if (node == kRoot && c >= 0 && c < kDirect) {
        roots_[static_cast<size_t>(c)] = child;
      } else {
        edges_.emplace(EdgeKey(node, c), child);
        if (node == kRoot) hasWideRoots_ = true;
      }
    }
    node = child;
  }
  // The source added first keeps its target.
  if (targetOf_[static_cast<size_t>(node)] >= 0) return;
  // Growing the pool by what each target needs exactly would copy it whole on every entry.
  auto offset = static_cast<int64_t>(pool_.size());
  pool_.insert(pool_.end(), target.begin(), target.end());
  targets_.push_back({offset, static_cast<int32_t>(target.size())});
  targetOf_[static_cast<size_t>(node)] = static_cast<int32_t>(targets_.size() - 1);
  longest_ = std::max(longest_, static_cast<int32_t>(source.size()));
}

int32_t TranslationTable::Match(const int32_t* chars, int32_t count, const int32_t*& target,
                                int32_t& targetCount) const {
  int32_t matched = 0;
  int32_t node = kRoot;
  for (int32_t depth = 0; depth < count; ++depth) {
    node = Child(node, chars[depth]);
    if (node < 0) break;
    int32_t index = targetOf_[static_cast<size_t>(node)];
    if (index < 0) continue;
    const Target& found = targets_[static_cast<size_t>(index)];
    target = pool_.data() + found.offset;
    targetCount = found.count;
    matched = depth + 1;
  }
  return matched;
}

}  // namespace kesto
