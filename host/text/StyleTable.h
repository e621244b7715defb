// StyleTable: the persistent IStyleTable implementation, once for paragraph styles (kParaStyleTableImpl)
// and once for character styles (kCharStyleTableImpl) on the document workspace.
#pragma once

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

 private:
  UID root_;
  UID default_;
  std::vector<UID> styles_;
  std::vector<WideString> groups_;
};
