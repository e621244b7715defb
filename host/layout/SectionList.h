// SectionList: the persistent ISectionList implementation on the document object.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/ISectionList.h"

class SectionList final : public CPMUnknown<ISectionList> {
 public:
  explicit SectionList(Boss* boss) : CPMUnknown(boss) {}
  const std::vector<Section>& GetSections() const override { return sections_; }
  void SetSections(std::vector<Section> sections) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<Section> sections_;
};
