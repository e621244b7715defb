// AttributeValue: the value an attribute object holds, one of the value kinds attribute classes declare,
// with value equality, persistence and a JSON rendering.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "host/core/IDs.h"
#include "host/core/WideString.h"

class IPMStream;

enum class AttributeKind : uint8_t { kBool, kInt16, kInt32, kReal, kEnum, kUID, kClassID, kString, kObject };

// The value of an object-kind attribute (a tab-stop table, a plug-in's record ...). Held immutable behind a
// shared pointer, so that copies of a value share it; a change makes a new object.
class AttributeObject {
 public:
  virtual ~AttributeObject() = default;
  virtual bool Equals(const AttributeObject& other) const = 0;
  virtual std::shared_ptr<AttributeObject> Copy() const = 0;
  // Moves the object's fields in one fixed order. A reader must leave the object sound whatever the bytes
  // (clamping, sorting or dropping what is out of bounds) and mark the stream failed when they are cut short.
  virtual void ReadWrite(IPMStream* stream) = 0;
  // A JSON value (object, array, number, string ...).
  virtual std::string ToJson() const = 0;
};

using ObjectRef = std::shared_ptr<const AttributeObject>;

// Enumerations are held as int32_t; the kind tells them from plain 32-bit integers.
using AttributeValue = std::variant<bool, int16_t, int32_t, double, UID, ClassID, WideString, ObjectRef>;

// Makes an empty object of an object-kind class, for a reader to fill.
using ObjectFactory = std::function<std::shared_ptr<AttributeObject>()>;

// Whether `value` is held in the alternative that `kind` uses (an object value must not be null).
bool ValueFitsKind(const AttributeValue& value, AttributeKind kind);
// Equality by value: reals exactly, objects through Equals, strings unit by unit.
bool ValuesEqual(const AttributeValue& a, const AttributeValue& b);
// The value as a number for range checks; false for strings, objects and references.
bool ValueAsNumber(const AttributeValue& value, double& number);
// A JSON rendering: numbers, true/false, strings; UIDs and class IDs as numbers.
std::string ValueToJson(const AttributeValue& value);
// A JSON string literal (UTF-8, with escapes) of UTF-16 text.
std::string JsonQuote(std::u16string_view text);
std::string JsonNumber(double value);
const char* KindName(AttributeKind kind);

// Moves a value of `kind` through `stream`. Reading replaces `value`; a real that is not finite reads as 0
// and an object kind without a factory marks the stream failed.
void XferValue(IPMStream* stream, AttributeKind kind, const ObjectFactory& makeObject, AttributeValue& value);
