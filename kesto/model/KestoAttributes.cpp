// The plug-in's text attributes.
#include "kesto/model/KestoAttributes.h"

#include "host/db/IPMStream.h"
#include "host/text/AttributeClasses.h"

namespace kesto {

bool HiddenTextValue::Equals(const AttributeObject& other) const {
  auto* o = dynamic_cast<const HiddenTextValue*>(&other);
  return o && o->record == record;
}

void HiddenTextValue::ReadWrite(IPMStream* stream) { stream->XferBytes(record.data(), record.size()); }

std::string HiddenTextValue::ToJson() const {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  size_t used = record.size();
  while (used > 0 && record[used - 1] == 0) --used;
  for (size_t i = 0; i < used; ++i) {
    hex += kHex[record[i] >> 4];
    hex += kHex[record[i] & 15];
  }
  return "\"" + hex + "\"";
}

bool NumericValue::Equals(const AttributeObject& other) const {
  auto* o = dynamic_cast<const NumericValue*>(&other);
  return o && o->values == values;
}

void NumericValue::ReadWrite(IPMStream* stream) {
  for (auto& v : values) stream->XferInt32(v);
}

std::string NumericValue::ToJson() const {
  return "[" + std::to_string(values[0]) + "," + std::to_string(values[1]) + "," + std::to_string(values[2]) + "]";
}

bool TextValue::Equals(const AttributeObject& other) const {
  auto* o = dynamic_cast<const TextValue*>(&other);
  return o && o->text == text && o->numbers == numbers;
}

void TextValue::ReadWrite(IPMStream* stream) {
  stream->XferString(text);
  for (auto& n : numbers) stream->XferInt16(n);
}

std::string TextValue::ToJson() const {
  return "{\"text\":" + JsonQuote(text) + ",\"numbers\":[" + std::to_string(numbers[0]) + "," +
         std::to_string(numbers[1]) + "," + std::to_string(numbers[2]) + "]}";
}

namespace {

template <class Value>
ErrorCode RegisterObjectClass(ClassID cls, const char* name) {
  if (AttributeClasses::Find(cls)) return kSuccess;
  AttributeClassInfo info;
  info.cls = cls;
  info.name = name;
  info.scope = AttributeScope::kCharacter;
  info.kind = AttributeKind::kObject;
  info.defaultValue = ObjectRef(std::make_shared<Value>());
  info.makeObject = [] { return std::make_shared<Value>(); };
  return AttributeClasses::Register(std::move(info));
}

}  // namespace

ErrorCode RegisterKestoAttributes() {
  ErrorCode result = RegisterObjectClass<HiddenTextValue>(kKestoHiddenTextAttr, "kestoHiddenText");
  if (result == kSuccess) result = RegisterObjectClass<NumericValue>(kKestoNumericAttr, "kestoNumeric");
  if (result == kSuccess) result = RegisterObjectClass<TextValue>(kKestoTextAttr, "kestoText");
  return result;
}

}  // namespace kesto
