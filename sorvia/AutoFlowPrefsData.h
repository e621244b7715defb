// AutoFlowPrefsData: the automatic-flow preferences as a command parameter; PersistAutoFlowPrefsData: those a
// workspace keeps (the application's, which new documents copy, and each document's), saved with it.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace sorvia {

class AutoFlowPrefsData : public CPMUnknown<IAutoFlowPrefsData> {
 public:
  explicit AutoFlowPrefsData(Boss* boss) : CPMUnknown<IAutoFlowPrefsData>(boss) {}
  void CopyFrom(const IAutoFlowPrefsData* other) override;
  void SetCreateMasterFrames(bool on) override { Store(createMasterFrames_, on); }
  bool GetCreateMasterFrames() const override { return createMasterFrames_; }
  void SetAddPagesMode(int16_t mode) override { Store(addPagesMode_, mode); }
  int16_t GetAddPagesMode() const override { return addPagesMode_; }
  void SetReserved1(int16_t value) override { Store(reserved1_, value); }
  int16_t GetReserved1() const override { return reserved1_; }
  void SetReserved2(bool value) override { Store(reserved2_, value); }
  bool GetReserved2() const override { return true; }
  void SetReserved3(bool value) override { Store(reserved3_, value); }
  bool GetReserved3() const override { return true; }
  void SetReserved4(bool value) override { Store(reserved4_, value); }
  bool GetReserved4() const override { return reserved4_; }
  bool StoredReserved2() const override { return reserved2_; }
  bool StoredReserved3() const override { return reserved3_; }

 protected:
  virtual bool WillChange() { return true; }

  bool createMasterFrames_ = false;
  int16_t addPagesMode_ = static_cast<int16_t>(AddPagesMode::kAfterStoryPage);
  int16_t reserved1_ = 0;
  bool reserved2_ = false;
  bool reserved3_ = false;
  bool reserved4_ = false;

 private:
  template <class T>
  void Store(T& field, T value) {
    if (!WillChange()) return;
    field = value;
  }
};

class PersistAutoFlowPrefsData final : public AutoFlowPrefsData {
 public:
  explicit PersistAutoFlowPrefsData(Boss* boss) : AutoFlowPrefsData(boss) {}
  // create-master-frames, add-pages mode, the reserved 16-bit value, the three reserved flags.
  void ReadWrite(IPMStream* stream, ImplementationID implementation) override;

 protected:
  bool WillChange() override { return PreDirty() == kSuccess; }
};

// Registers both implementations, adds the persistent one to the application and document workspaces, and
// has new documents start with the application's preferences.
ErrorCode RegisterAutoFlowPrefsData(Registry& registry);

}  // namespace sorvia
