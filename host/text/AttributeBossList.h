// AttributeBossList: a set of text attributes, at most one per attribute class, sorted by class and compared
// by value: the overrides of a text run, the attributes of a style, the parameters of an attribute command.
// Copies share the (frozen) attribute objects, so copying a list is cheap.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/text/ITextAttribute.h"

class IPMStream;

class AttributeBossList {
 public:
  // Longest list a reader accepts; attribute classes are far fewer.
  static constexpr uint32_t kMaxAttributes = 4096;

  int32_t CountBosses() const { return static_cast<int32_t>(attributes_.size()); }
  bool IsEmpty() const { return attributes_.empty(); }
  // The n-th attribute in class order, or nullptr; not counted, valid while the list is unchanged.
  const ITextAttribute* GetNth(int32_t n) const;
  ClassID GetClassN(int32_t n) const;
  // The attribute of `cls`, or nullptr; not counted, valid while the list is unchanged.
  const ITextAttribute* GetByClass(ClassID cls) const;
  bool ContainsClass(ClassID cls) const { return GetByClass(cls) != nullptr; }

  // Adds `attribute` (a frozen copy of it when it is not frozen yet), replacing the attribute of the same
  // class. kInvalidParameterError for a null attribute, kOutOfMemoryError when no copy could be made.
  ErrorCode ApplyAttribute(const ITextAttribute* attribute);
  // Adds `frozen`, a frozen attribute of `cls`, as it is: for a caller that keeps one attribute to put again
  // and again, without asking it its class or making it frozen each time.
  void ApplyFrozen(ClassID cls, InterfacePtr<ITextAttribute> frozen);
  // Adds an attribute of `cls` holding `value`; kInvalidParameterError for an unknown class or a value
  // that does not fit it.
  ErrorCode ApplyValue(ClassID cls, const AttributeValue& value);
  // Adds every attribute of `other`, replacing ours of the same classes.
  void ApplyAttributes(const AttributeBossList& other);
  // Answers whether an attribute was removed.
  bool ClearOverride(ClassID cls);
  // Removes the attributes of `classes`; answers how many were removed.
  int32_t ClearOverrides(std::span<const ClassID> classes);
  void ClearAllOverrides() { attributes_.clear(); }
  // A list of the attributes of this one whose scope is (or is not) the paragraph.
  AttributeBossList FilterByScope(bool paragraph) const;

  bool operator==(const AttributeBossList& other) const;
  // Whether both hold the very same attribute objects: equal without comparing a value (lists made from
  // one another mostly do).
  bool HoldsSameObjects(const AttributeBossList& other) const {
    if (attributes_.size() != other.attributes_.size()) return false;
    for (size_t n = 0; n < attributes_.size(); ++n) {
      if (attributes_[n].attribute.get() != other.attributes_[n].attribute.get()) return false;
    }
    return true;
  }
  // Equal lists hash alike.
  size_t Hash() const;

  // Count, then per attribute its class, the byte count of its value and the value, so that attributes
  // of classes nobody loaded are kept as bytes and written back unchanged. Reading replaces the list;
  // damaged data marks the stream failed.
  void ReadWrite(IPMStream* stream);
  // {"6915":12,"6913":5}: the values keyed by class number.
  std::string ToJson() const;

 private:
  // The class is kept beside its attribute: finding a class then reads no attribute object.
  struct Entry {
    ClassID cls;
    InterfacePtr<ITextAttribute> attribute;
  };
  std::vector<Entry>::const_iterator LowerBound(ClassID cls) const;
  void Put(ClassID cls, InterfacePtr<ITextAttribute> frozen);

  std::vector<Entry> attributes_;  // ascending by attribute class, each frozen
};

// Override lists as text runs and styles share them: never null, immutable, and interned: equal lists made
// by MakeAttrListRef are one object, so that runs compare their lists by identity and a document file
// stores each once.
using AttrListRef = std::shared_ptr<const AttributeBossList>;
// The interned empty list.
const AttrListRef& EmptyAttributeList();
// The interned list equal to `list`: the one that exists while any owner holds it, else a new one. Safe to
// call from several threads.
AttrListRef MakeAttrListRef(AttributeBossList list);
// Equal lists (interned lists are equal only when they are the same object).
inline bool SameAttributes(const AttrListRef& a, const AttrListRef& b) {
  return a == b;
}
