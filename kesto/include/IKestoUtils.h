// IKestoUtils: hands out the engine's scanner and writer to other plug-ins, on the host's utilities object.
// The caller owns what it is given and deletes it; the types are those of the engine's reader and writer.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/db/IDataBase.h"
#include "kesto/include/KestoID.h"

namespace kesto {

class KestoScanner;
class KestoPutter;

inline constexpr PMIID IID_IKESTOUTILS = kKestoPrefix + 0x0D;

class IKestoUtils : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IKESTOUTILS.Get() };
  // A new scanner whose names resolve against `document` (may be null).
  virtual KestoScanner* NewScanner(IDataBase* document) const = 0;
  // A new writer that buffers its output as the engine's exports do.
  virtual KestoPutter* NewPutter() const = 0;
};

}  // namespace kesto
