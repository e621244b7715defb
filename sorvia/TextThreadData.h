// TextThreadData: a thread's name as a command parameter; PersistTextThreadData: the name a thread object
// keeps in its document, whose changes join the current undo step.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "sorvia/include/ITextThreadData.h"

namespace sorvia {

class TextThreadData : public CPMUnknown<ITextThreadData> {
 public:
  explicit TextThreadData(Boss* boss) : CPMUnknown<ITextThreadData>(boss) {}
  void SetName(const WideString& name) override;
  const WideString& GetName() const override { return name_; }

 protected:
  virtual bool WillChange() { return true; }
  WideString name_;
};

class PersistTextThreadData final : public TextThreadData {
 public:
  explicit PersistTextThreadData(Boss* boss) : TextThreadData(boss) {}
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 protected:
  bool WillChange() override { return PreDirty() == kSuccess; }
};

// Registers both implementations and the thread object's class.
ErrorCode RegisterTextThreadData(Registry& registry);

}  // namespace sorvia
