// ITextThreadList (on the document workspace): the document's default thread and its named threads in
// creation order. The default thread is not one of the listed threads.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/core/WideString.h"
#include "sorvia/include/ITextThreadData.h"

namespace sorvia {

class ITextThreadList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTTHREADLIST.Get() };
  virtual int32_t GetThreadCount() const = 0;
  // The highest index whose thread is named `name` ignoring case; -1 for an empty name or no match.
  virtual int32_t FindThreadByName(const WideString& name) const = 0;
  // -1 when `uid` is not listed.
  virtual int32_t IndexOfThread(UID uid) const = 0;
  // kInvalidUID outside 0 .. count - 1.
  virtual UID GetNthThread(int32_t index) const = 0;
  // Empty outside the range or when the thread object is gone.
  virtual InterfacePtr<ITextThreadData> QueryNthThread(int32_t index) const = 0;
  // Appends `uid` unless listed already (and only then marks the list changed).
  virtual void AddThread(UID uid) = 0;
  virtual void RemoveThread(UID uid) = 0;
  virtual void SetDefaultThread(UID uid) = 0;
  virtual UID GetDefaultThread() const = 0;
};

}  // namespace sorvia
