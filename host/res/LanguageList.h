// LanguageList: the persistent ILanguageList on a document's workspace.
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/res/ILanguageList.h"

class LanguageList final : public CPMUnknown<ILanguageList> {
 public:
  explicit LanguageList(Boss* boss) : CPMUnknown(boss) {}
  int32_t CountLanguages() const override { return static_cast<int32_t>(languages_.size()); }
  UID GetNthLanguageUID(int32_t index) const override;
  UID FindLanguage(const WideString& name) const override;
  UID GetDefaultLanguageUID() const override { return default_; }
  void AddLanguage(UID language) override;
  void SetDefaultLanguageUID(UID language) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> languages_;
  UID default_;
};
