// IStyleData: the fields of a style to create (CreateStyleCmd) or to change (EditStyleCmd, which changes only
// the fields named in the change mask).
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/text/AttributeBossList.h"
#include "host/text/IStyleInfo.h"

class IStyleData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTYLEDATA.Get() };
  enum Change : uint32_t {
    kName = 1,
    kBasedOn = 2,
    kNextStyle = 4,
    kCharacterStyle = 8,
    kAttributes = 16,
  };
  virtual void SetKind(StyleKind kind) = 0;
  virtual StyleKind GetKind() const = 0;
  // A full name: group path and own name separated by U+E00B; missing groups are created.
  virtual void SetName(const WideString& name) = 0;
  virtual const WideString& GetName() const = 0;
  // 0: based on the table's root style.
  virtual void SetBasedOn(UID style) = 0;
  virtual UID GetBasedOn() const = 0;
  virtual void SetNextStyle(UID style) = 0;
  virtual UID GetNextStyle() const = 0;
  virtual void SetCharacterStyle(UID style) = 0;
  virtual UID GetCharacterStyle() const = 0;
  virtual void SetAttributes(const AttributeBossList& attributes) = 0;
  virtual const AttributeBossList& GetAttributes() const = 0;
  // Each setter adds its field to the mask.
  virtual uint32_t GetChanges() const = 0;
};
