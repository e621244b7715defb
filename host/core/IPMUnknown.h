// The root interface of every object-model interface: counted references and queries by interface ID.
#pragma once

#include "host/core/IDs.h"

class Boss;

class IPMUnknown {
 public:
  // Answers a counted reference to the interface `iid` of the same object, or nullptr when the object has
  // none. The caller releases the reference (InterfacePtr does).
  virtual IPMUnknown* QueryInterface(PMIID iid) const = 0;
  virtual void AddRef() const = 0;
  virtual void Release() const = 0;
  // The object this interface belongs to; never null for a live interface.
  virtual Boss* GetBoss() const = 0;

 protected:
  ~IPMUnknown() = default;
};

// Every interface class declares its default interface ID: enum { kDefaultIID = ... };
struct UseDefaultIID {};
