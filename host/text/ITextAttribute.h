// ITextAttribute: one text attribute object: an attribute class (what it sets) and a value of the kind the
// class declares. Attributes are compared by value. Once an attribute belongs to a list (an override list,
// a style) it is frozen and shared; Clone it to make a changed one.
#pragma once

#include <string>
#include <string_view>

#include "host/core/IPMUnknown.h"
#include "host/core/InterfacePtr.h"
#include "host/text/AttributeValue.h"
#include "host/text/TextIDs.h"

class IPMStream;

class IDataBase;

// Results of ParseTagValue.
inline constexpr int32_t kTagValueParsed = 0;
inline constexpr int32_t kTagValueMalformed = 1;
inline constexpr int32_t kTagValueOutOfRange = 2;  // below the class's range
inline constexpr int32_t kTagValueAboveRange = 3;
inline constexpr int32_t kTagValueUnknownName = 4;  // no swatch, font, language ... of that name
inline constexpr int32_t kTagValueUnsupported = 5;  // the class has no tagged-text routine (or is frozen)

class ITextAttribute : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTATTRIBUTE.Get() };

  virtual ClassID GetAttributeClass() const = 0;
  virtual AttributeKind GetKind() const = 0;
  virtual const AttributeValue& GetValue() const = 0;
  // Replaces the value: kInvalidParameterError (nothing changes) when the value is of another kind, a real
  // that is not finite or a null object; kFailure when the attribute is frozen. Values outside the class's
  // declared range are kept (callers that take user values check the range, see AttributeClasses).
  virtual ErrorCode SetValue(const AttributeValue& value) = 0;
  virtual bool IsFrozen() const = 0;
  virtual void Freeze() = 0;
  // Same attribute class and equal values.
  virtual bool Equals(const ITextAttribute& other) const = 0;
  // A new attribute, not frozen, of the same class and value.
  virtual InterfacePtr<ITextAttribute> Clone() const = 0;
  // Moves the value through `stream` (reading requires an attribute that is not frozen).
  virtual void XferValue(IPMStream* stream) = 0;
  virtual std::string ValueToJson() const = 0;
  // The host tagged-text dialect's value text: parse sets the value from it (kTagValue... results; the value
  // stays as it was on failure), write answers it (empty when the class has no routine). `db` is the
  // document the names of swatches, fonts, languages and stroke styles are looked up in (may be null).
  virtual int32_t ParseTagValue(const IDataBase* db, std::u16string_view text) = 0;
  virtual WideString WriteTagValue(const IDataBase* db) const = 0;
};

// A new attribute of `cls` holding the class's default value; empty when no such attribute class exists.
InterfacePtr<ITextAttribute> CreateTextAttribute(ClassID cls);
// A new attribute of `cls` holding `value`; empty when the class is unknown or the value does not fit it.
InterfacePtr<ITextAttribute> CreateTextAttribute(ClassID cls, const AttributeValue& value);

// The value as T (bool, int16_t, int32_t for int32 and enum kinds, double, UID, ClassID, WideString,
// ObjectRef); nullptr when `attribute` is null or holds another kind.
template <class T>
const T* GetValueAs(const ITextAttribute* attribute) {
  return attribute ? std::get_if<T>(&attribute->GetValue()) : nullptr;
}
