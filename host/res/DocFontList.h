// DocFontList: the persistent IDocFontList on a document's workspace.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/res/IDocFontList.h"

class DocFontList final : public CPMUnknown<IDocFontList> {
 public:
  explicit DocFontList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountFamilies() const override { return static_cast<int32_t>(families_.size()); }
  UID GetNthFamilyUID(int32_t index) const override;
  UID FindFamily(const WideString& name) const override;
  bool FindFontByFullName(const WideString& name, UID& family, WideString& face) const override;
  void AddFamily(UID family) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> families_;
};
