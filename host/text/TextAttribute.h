// TextAttribute: the host's ITextAttribute implementation, for every attribute class registered with
// AttributeClasses, and for attributes of classes nobody registered (kept as opaque bytes, so that a
// document saved with a plug-in's attributes keeps them when opened without that plug-in).
#pragma once

#include <vector>

#include "host/core/CPMUnknown.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextAttribute.h"

class TextAttribute final : public CPMUnknown<ITextAttribute> {
 public:
  explicit TextAttribute(Boss* boss);

  ClassID GetAttributeClass() const override { return class_; }
  AttributeKind GetKind() const override { return kind_; }
  const AttributeValue& GetValue() const override { return value_; }
  ErrorCode SetValue(const AttributeValue& value) override;
  bool IsFrozen() const override { return frozen_; }
  void Freeze() override { frozen_ = true; }
  bool Equals(const ITextAttribute& other) const override;
  InterfacePtr<ITextAttribute> Clone() const override;
  void XferValue(IPMStream* stream) override;
  std::string ValueToJson() const override;
  int32_t ParseTagValue(const IDataBase* db, std::u16string_view text) override;
  WideString WriteTagValue(const IDataBase* db) const override;

  // An attribute of class `cls` whose value bytes nobody can read: kept and written back as they are.
  static InterfacePtr<ITextAttribute> CreateOpaque(ClassID cls, std::vector<uint8_t> bytes);

 private:
  ClassID class_;
  AttributeKind kind_ = AttributeKind::kObject;
  const AttributeClassInfo* info_ = nullptr;  // null for opaque attributes
  AttributeValue value_;
  bool frozen_ = false;
};
