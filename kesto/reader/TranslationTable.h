// TranslationTable: the character sequences a scan replaces before the scanner sees them (<&tt…>,
// <&tte…>): each source with its target. Where several sources begin at a position the longest wins, and of
// equal sources the one added first.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto {

class TranslationTable {
 public:
  static constexpr int32_t kMaxSourceLength = 4096;
  static constexpr int32_t kMaxTargetLength = 16384;
  // What the table may take in all: each entry counted as a record with its source and target in 32-bit
  // code points, plus what the index of sources costs per character of a source.
  static constexpr int64_t kMaxBytes = int64_t{1} << 30;

  TranslationTable() { Clear(); }

  // Adds `source` → `target`; an empty source adds nothing. Answers 0, or the scanner error 17 (source too
  // long), 18 (target too long) or 15 (the table would outgrow kMaxBytes, or memory failed), having
  // added nothing.
  [[nodiscard]] int32_t Add(std::u32string_view source, std::u32string_view target);
  void Clear();
  bool Empty() const { return targets_.empty(); }
  int32_t Size() const { return static_cast<int32_t>(targets_.size()); }
  int64_t GetBytes() const { return bytes_; }
  int32_t GetLongestSource() const { return longest_; }
  // The file-system code of the last table file that could not be read, for the report of error 16.
  int32_t GetFileError() const { return fileError_; }
  void SetFileError(int32_t code) { fileError_ = code; }

  // Whether some source begins with `c`.
  bool CanBegin(int32_t c) const {
    if (c >= 0 && c < kDirect) return roots_[static_cast<size_t>(c)] >= 0;
    return hasWideRoots_ && Child(kRoot, c) >= 0;
  }
  // The longest source that `chars` (`count` of them) begin with: answers its length, or 0 when none fits,
  // and sets `target` (valid until the table changes) and `targetCount`.
  int32_t Match(const int32_t* chars, int32_t count, const int32_t*& target, int32_t& targetCount) const;

 private:
  static constexpr int32_t kRoot = 0;
  static constexpr int32_t kDirect = 256;
  // What one character of a source costs in the index, beyond its four bytes.
  static constexpr int64_t kNodeBytes = 48;

  struct Target {
    int64_t offset;
    int32_t count;
  };

  static uint64_t EdgeKey(int32_t node, int32_t c) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(node)) << 32) | static_cast<uint32_t>(c);
  }
  int32_t Child(int32_t node, int32_t c) const;
  // Nodes a source would add to the index.
  int64_t NewNodes(std::u32string_view source) const;
  void Insert(std::u32string_view source, std::u32string_view target);

  // The index of sources: one node per distinct prefix, holding the target of the source it completes.
  std::vector<int32_t> targetOf_;  // per node: index into targets_, or -1
  std::array<int32_t, kDirect> roots_;
  std::unordered_map<uint64_t, int32_t> edges_;
  bool hasWideRoots_ = false;
  std::vector<Target> targets_;
  std::vector<int32_t> pool_;  // the targets' characters
  int64_t bytes_ = 0;
  int32_t longest_ = 0;
  int32_t fileError_ = 0;
};

}  // namespace kesto
