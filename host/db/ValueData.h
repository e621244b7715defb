// Single-value data interfaces (IBoolData, IIntData, IRealData, IStringData, IUIDData) and their
// implementations: plain ones for command parameters, persistent ones for objects in a document.
#pragma once

#include "host/core/IDs.h"

#include "host/core/CPMUnknown.h"
#include "host/core/HostIDs.h"
#include "host/core/WideString.h"
#include "host/db/IPMStream.h"

template <class T, uint32_t Iid>
class IValueData : public IPMUnknown {
 public:
  enum { kDefaultIID = Iid };
  virtual const T& Get() const = 0;
  virtual void Set(const T& value) = 0;
};

using IBoolData = IValueData<bool, IID_IBOOLDATA.Get()>;
using IIntData = IValueData<int32_t, IID_IINTDATA.Get()>;
using IRealData = IValueData<double, IID_IREALDATA.Get()>;
using IStringData = IValueData<WideString, IID_ISTRINGDATA.Get()>;
using IUIDData = IValueData<UID, IID_IUIDDATA.Get()>;

// A value that lives only as long as its boss (command parameters).
template <class I>
class ValueData final : public CPMUnknown<I> {
 public:
  using T = std::remove_cvref_t<decltype(std::declval<I>().Get())>;
  explicit ValueData(Boss* boss) : CPMUnknown<I>(boss) {}
  const T& Get() const override { return value_; }
  void Set(const T& value) override { value_ = value; }

 private:
  T value_{};
};

void XferValue(IPMStream* s, bool& v);
void XferValue(IPMStream* s, int32_t& v);
void XferValue(IPMStream* s, double& v);
void XferValue(IPMStream* s, WideString& v);
void XferValue(IPMStream* s, UID& v);

// A value saved with its document; changes are announced for undo.
template <class I>
class PersistValueData final : public CPMUnknown<I> {
 public:
  using T = std::remove_cvref_t<decltype(std::declval<I>().Get())>;
  explicit PersistValueData(Boss* boss) : CPMUnknown<I>(boss) {}
  const T& Get() const override { return value_; }
  void Set(const T& value) override {
    if (value == value_) return;
    if (this->PreDirty() != kSuccess) return;
    value_ = value;
  }
  void ReadWrite(IPMStream* stream, ImplementationID) override { XferValue(stream, value_); }

 private:
  T value_{};
};

// Registers the plain and persistent value implementations under their host IDs.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterValueDataImplementations();
