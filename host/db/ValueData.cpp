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

void RegisterValueDataImplementations() {
  Registry& r = Registry::Get();
  (void)r.RegisterImplementation<ValueData<IBoolData>>(kBoolDataImpl);
  (void)r.RegisterImplementation<ValueData<IIntData>>(kIntDataImpl);
  (void)r.RegisterImplementation<ValueData<IRealData>>(kRealDataImpl);
  (void)r.RegisterImplementation<ValueData<IStringData>>(kStringDataImpl);
  (void)r.RegisterImplementation<ValueData<IUIDData>>(kUIDDataImpl);
  (void)r.RegisterImplementation<PersistValueData<IBoolData>>(kPersistBoolDataImpl, true);
  (void)r.RegisterImplementation<PersistValueData<IIntData>>(kPersistIntDataImpl, true);
  (void)r.RegisterImplementation<PersistValueData<IRealData>>(kPersistRealDataImpl, true);
  (void)r.RegisterImplementation<PersistValueData<IStringData>>(kPersistStringDataImpl, true);
  (void)r.RegisterImplementation<PersistValueData<IUIDData>>(kPersistUIDDataImpl, true);
}
