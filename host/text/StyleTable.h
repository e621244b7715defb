// StyleTable: the persistent IStyleTable implementation, once for paragraph styles (kParaStyleTableImpl)
// and once for character styles (kCharStyleTableImpl) on the document workspace.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "host/core/CPMUnknown.h"
#include "host/text/IStyleTable.h"

class StyleTable final : public CPMUnknown<IStyleTable> {
 public:
  explicit StyleTable(Boss* boss) : CPMUnknown(boss) {}

  StyleKind GetKind() const override;
  UID GetRootStyle() const override { return root_; }
  UID GetDefaultStyle() const override { return default_.IsValid() ? default_ : root_; }
  int32_t CountStyles() const override { return static_cast<int32_t>(styles_.size()); }
  UID GetNthStyle(int32_t index) const override;
  bool ContainsStyle(UID style) const override;
  StyleLookup FindByName(std::u16string_view name) const override;
  int32_t CountGroups() const override { return static_cast<int32_t>(groups_.size()); }
  const WideString& GetNthGroup(int32_t index) const override {
    return groups_.at(static_cast<size_t>(index));
  }
  bool HasGroup(std::u16string_view path) const override;

  void AddStyle(UID style) override;
  void AddGroup(const WideString& path) override;
  void SetRootStyle(UID style) override;
  void SetDefaultStyle(UID style) override;

  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

  // For the undo of AddStyle: appends `styles`, or takes the last `count` styles off again.
  void PutBack(const std::vector<UID>& styles);
  void TakeBackLast(int32_t count);

 private:
  // The styles by full name and, for styles in groups, by own name, each in table order, so that a lookup
  // costs what the styles of that name cost rather than a walk over the whole table. Built when a lookup
  // needs it; a rename of a style or a style read back (undo, redo, a file) makes it rebuild, while a style
  // added by AddStyle joins it.
  struct NameIndex {
    std::unordered_map<std::u16string, std::vector<UID>> byFullName;
    std::unordered_map<std::u16string, std::vector<UID>> byOwnName;
    std::vector<UID> unnamed;
    uint64_t renames = 0;  // StyleRenameCount() when built
    bool built = false;
  };
  const NameIndex& Index() const;
  bool NamedSinceIndexed() const;
  void IndexStyle(NameIndex& index, UID uid) const;
  // Counts the styles among `candidates` whose name `matches`, keeping the first in `lookup`.
  template <class Matches>
  void Collect(const std::vector<UID>& candidates, Matches matches, StyleLookup& lookup) const;

  UID root_;
  UID default_;
  std::vector<UID> styles_;
  std::unordered_set<UID> members_;  // styles_ as a set
  std::vector<WideString> groups_;
  std::unordered_set<WideString> groupSet_;  // groups_ as a set
  mutable NameIndex index_;
};
