// OpenType features as the tag language names them: the table of four-character codes, feature entries
// (attribute class, value) and feature lists with the code, count and merge operations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/core/IDs.h"

namespace kesto {

// A feature code, first character in the most significant byte ("ss03" is 0x73733033); 0 means none.
using FeatureCode = uint32_t;
inline constexpr FeatureCode kNoFeatureCode = 0;

// The code of four characters; kNoFeatureCode when `text` is shorter than four units or a unit is not ASCII.
// Only the first four units count.
FeatureCode MakeFeatureCode(std::u16string_view text);
FeatureCode MakeFeatureCode(std::string_view text);
// The four characters of a code.
std::u16string FeatureCodeText(FeatureCode code);

// One feature as the text holds it: the attribute class it sets and the value. For on/off features the value
// is 0 or 1; for stylistic sets a mask with bit n for set n; for figure style and positional form the
// tag-side value (1..4 and 1..5). Class 0 is the empty entry.
struct FeatureEntry {
  ClassID cls;
  int32_t value = 0;
  bool IsEmpty() const { return !cls.IsValid(); }
  bool operator==(const FeatureEntry&) const = default;
};

// A list of entries; the first four are held inline, so that the usual short lists never allocate.
class FeatureList {
 public:
  static constexpr size_t kInline = 4;
  // Bound on a list, far above the number of distinct feature classes, so that hostile input stays small.
  static constexpr size_t kMaxEntries = 256;

  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear();
  // False (nothing added) when the list holds kMaxEntries already.
  bool push_back(const FeatureEntry& entry);
  FeatureEntry& operator[](size_t i) { return Data()[i]; }
  const FeatureEntry& operator[](size_t i) const { return Data()[i]; }
  FeatureEntry* begin() { return Data(); }
  FeatureEntry* end() { return Data() + size_; }
  const FeatureEntry* begin() const { return Data(); }
  const FeatureEntry* end() const { return Data() + size_; }
  // The first entry of `cls`, or nullptr.
  FeatureEntry* Find(ClassID cls);
  const FeatureEntry* Find(ClassID cls) const;
  bool OnHeap() const { return !heap_.empty(); }
  bool operator==(const FeatureList& other) const;

 private:
  FeatureEntry* Data() { return heap_.empty() ? inline_.data() : heap_.data(); }
  const FeatureEntry* Data() const { return heap_.empty() ? inline_.data() : heap_.data(); }

  std::array<FeatureEntry, kInline> inline_{};
  std::vector<FeatureEntry> heap_;  // holds every entry once the inline room is exceeded
  size_t size_ = 0;
};

// One row of the feature table: a code, the attribute class and the value it stands for (kAnyValue for
// on/off features).
struct FeatureRow {
  FeatureCode code;
  ClassID cls;
  int32_t value;
};
inline constexpr int32_t kAnyValue = -1;
inline constexpr int32_t kFirstStylisticSet = 1;
inline constexpr int32_t kLastStylisticSet = 20;

// The 45 rows in search order.
std::span<const FeatureRow> FeatureTable();

// The entry for a code: (class, row value, or 1 for on/off rows) when `on`, else (class, 0). A stylistic set
// gives the mask with bit n set for set n, and the empty entry when not `on`. An unknown code gives the
// empty entry.
FeatureEntry FeatureEntryFromCode(FeatureCode code, bool on);
// The code of the k-th feature the entry holds: for stylistic sets the k-th set bit (from bit 1), otherwise
// only k = 0 has a code, the row of the entry's class whose value matches (or is kAnyValue).
// kNoFeatureCode when there is none.
FeatureCode FeatureCodeOf(const FeatureEntry& entry, int32_t k);
// How many codes the entry holds: 0 for the empty entry, the number of sets for stylistic sets, else 1.
int32_t FeatureCodeCount(const FeatureEntry& entry);
// Whether the (class, value) pair has a row of the table.
bool HasFeatureRow(ClassID cls, int32_t value);
// Whether the class is one of the plain on/off features (not stylistic alternates or sets).
bool IsOnOffFeature(ClassID cls);

// Merges `wanted` into `current`, entry by entry: an entry whose class `current` lacks is appended; for one
// it has, capitalization, figure style, position and positional form take the wanted value, or 0 when
// they hold it already (asking again switches off); stylistic sets combine by XOR; other features toggle.
// With no wanted list every entry of `current` is switched off.
void MergeFeatures(FeatureList& current, const FeatureList* wanted);

}  // namespace kesto
