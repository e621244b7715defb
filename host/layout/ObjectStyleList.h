// ObjectStyleList: the persistent IObjectStyleList.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/layout/IObjectStyleList.h"

class ObjectStyleList final : public CPMUnknown<IObjectStyleList> {
 public:
  explicit ObjectStyleList(Boss* boss);
  const std::vector<ObjectStyle>& GetStyles() const override { return styles_; }
  const ObjectStyle* FindStyle(ObjectStyleID id) const override;
  ObjectStyleID FindStyleByName(const WideString& name) const override;
  ObjectStyleID AddStyle(ObjectStyle style) override;
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 private:
  // Empty when the styles read are sound: the defaults first, ids rising, names unique, each based on an
  // earlier style.
  std::string Fault() const;

  std::vector<ObjectStyle> styles_;
};
