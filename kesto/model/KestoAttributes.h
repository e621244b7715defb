// The plug-in's own text attributes: hidden text (a 1292-byte settings record), a numeric attribute of
// three values, and a text attribute carrying a string and three small numbers. The reader applies them
// to imported text; the writer reads them back.
#pragma once

#include <array>

#include "host/text/AttributeValue.h"
#include "kesto/include/KestoID.h"

namespace kesto {

inline constexpr ClassID kKestoHiddenTextAttr = kKestoPrefix + 0x80;
inline constexpr ClassID kKestoNumericAttr = kKestoPrefix + 0x81;
inline constexpr ClassID kKestoTextAttr = kKestoPrefix + 0x82;

inline constexpr size_t kHiddenTextRecordSize = 1292;
using HiddenTextRecord = std::array<uint8_t, kHiddenTextRecordSize>;

class HiddenTextValue final : public AttributeObject {
 public:
  HiddenTextRecord record{};
  bool Equals(const AttributeObject& other) const override;
  std::shared_ptr<AttributeObject> Copy() const override { return std::make_shared<HiddenTextValue>(*this); }
  void ReadWrite(IPMStream* stream) override;
  std::string ToJson() const override;
};

class NumericValue final : public AttributeObject {
 public:
  std::array<int32_t, 3> values{};
  bool Equals(const AttributeObject& other) const override;
  std::shared_ptr<AttributeObject> Copy() const override { return std::make_shared<NumericValue>(*this); }
  void ReadWrite(IPMStream* stream) override;
  std::string ToJson() const override;
};

class TextValue final : public AttributeObject {
 public:
  WideString text;
  std::array<int16_t, 3> numbers{};
  bool Equals(const AttributeObject& other) const override;
  std::shared_ptr<AttributeObject> Copy() const override { return std::make_shared<TextValue>(*this); }
  void ReadWrite(IPMStream* stream) override;
  std::string ToJson() const override;
};

// Registers the three attribute classes with the host; kSuccess also when they are registered already.
ErrorCode RegisterKestoAttributes();

}  // namespace kesto
