// LinkResource and LinkList: the persistent ILinkResource (on link resources) and ILinkList (on the
// document) implementations.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/ILinkResource.h"

class LinkResource final : public CPMUnknown<ILinkResource> {
 public:
  explicit LinkResource(Boss* boss) : CPMUnknown(boss) {}
  const LinkData& GetData() const override { return data_; }
  void SetData(const LinkData& data) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  LinkData data_;
};

class LinkList final : public CPMUnknown<ILinkList> {
 public:
  explicit LinkList(Boss* boss) : CPMUnknown(boss) {}
  const std::vector<UID>& GetLinks() const override { return links_; }
  UID FindLink(std::string_view uri) const override;
  void AddLink(UID link) override;
  void RemoveLink(UID link) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  std::vector<UID> links_;
};
