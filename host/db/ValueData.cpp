// Value data implementations.
#include "host/db/ValueData.h"

#include "host/core/Registry.h"

void XferValue(IPMStream* s, bool& v) {
  s->XferBool(v);
}
void XferValue(IPMStream* s, int32_t& v) {
  s->XferInt32(v);
}
void XferValue(IPMStream* s, double& v) {
  s->XferReal(v);
}
void XferValue(IPMStream* s, WideString& v) {
  s->XferString(v);
}
void XferValue(IPMStream* s, UID& v) {
  s->XferReference(v);
}

ErrorCode RegisterValueDataImplementations() {
  Registry& r = Registry::Get();
  ErrorCode error = r.RegisterImplementation<ValueData<IBoolData>>(kBoolDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ValueData<IIntData>>(kIntDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ValueData<IRealData>>(kRealDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ValueData<IStringData>>(kStringDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ValueData<IUIDData>>(kUIDDataImpl);
  if (error == kSuccess)
    error = r.RegisterImplementation<PersistValueData<IBoolData>>(kPersistBoolDataImpl, true);
  if (error == kSuccess)
    error = r.RegisterImplementation<PersistValueData<IIntData>>(kPersistIntDataImpl, true);
  if (error == kSuccess)
    error = r.RegisterImplementation<PersistValueData<IRealData>>(kPersistRealDataImpl, true);
  if (error == kSuccess)
    error = r.RegisterImplementation<PersistValueData<IStringData>>(kPersistStringDataImpl, true);
  if (error == kSuccess)
    error = r.RegisterImplementation<PersistValueData<IUIDData>>(kPersistUIDDataImpl, true);
  return error;
}
