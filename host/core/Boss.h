// Boss: one object of a class. It owns one implementation per interface of its class, created on first
// query, and counts the references to all of them together.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "host/core/IDs.h"
#include "host/core/IPMUnknown.h"

class CPMUnknownBase;
struct ResolvedClass;

// The database that keeps a boss. A boss with a home is persistent and has a UID there.
class IBossHome {
 public:
  // kSuccess when the change may go ahead; kNotInCommandError when the home refuses it because undo could
  // not take it back.
  virtual ErrorCode NotePreDirty(Boss& boss, ImplementationID implementation) = 0;

 protected:
  ~IBossHome() = default;
};

// Bytes an implementation wrote, kept as they are when no loaded plug-in provides that implementation.
struct ImplementationData {
  ImplementationID implementation;
  std::vector<uint8_t> bytes;
  bool operator==(const ImplementationData&) const = default;
};

class Boss final {
 public:
  // A new boss of `cls` holding one reference for the caller; nullptr when the class is not registered.
  static Boss* Create(ClassID cls);
  // A boss of a class that no loaded plug-in defines: it has no interfaces and keeps its data for saving.
  static Boss* CreateUnknown(ClassID cls);

  Boss(const Boss&) = delete;
  Boss& operator=(const Boss&) = delete;

  ClassID GetClass() const { return class_; }
  // A counted reference to the interface, creating its implementation on first use; nullptr when the
  // class has no such interface.
  IPMUnknown* QueryInterface(PMIID iid) const;
  void AddRef() const { ++refCount_; }
  void Release() const;
  int32_t GetRefCount() const { return refCount_; }

  IBossHome* GetHome() const { return home_; }
  UID GetUID() const { return uid_; }
  void SetHome(IBossHome* home, UID uid) {
    home_ = home;
    uid_ = uid;
  }

  // The implementation behind `implementation`, created when needed; nullptr when the class has none.
  CPMUnknownBase* GetImplementation(ImplementationID implementation) const;
  bool HasImplementation(ImplementationID implementation) const;
  // Persistent implementations created so far, in interface order.
  std::vector<CPMUnknownBase*> GetLivePersistentImplementations() const;
  // Data of implementations that no loaded plug-in provides; written back unchanged.
  std::vector<ImplementationData>& UnknownData() { return unknownData_; }
  const std::vector<ImplementationData>& UnknownData() const { return unknownData_; }

  // A boss without a home (not yet in a database) may always change.
  ErrorCode NotePreDirty(ImplementationID implementation) {
    return home_ ? home_->NotePreDirty(*this, implementation) : kSuccess;
  }

 private:
  struct Slot {
    PMIID iid;
    ImplementationID implementation;
    bool persistent = false;
    std::unique_ptr<CPMUnknownBase> object;
    IPMUnknown* face = nullptr;
  };
  Boss(ClassID cls, std::shared_ptr<const ResolvedClass> resolved);
  ~Boss();
  Slot* FindSlot(PMIID iid) const;
  Slot* FindSlotByImplementation(ImplementationID implementation) const;
  void Instantiate(Slot& slot) const;

  ClassID class_;
  std::shared_ptr<const ResolvedClass> resolved_;
  mutable std::vector<Slot> slots_;
  mutable int32_t refCount_ = 1;
  IBossHome* home_ = nullptr;
  UID uid_;
  std::vector<ImplementationData> unknownData_;
};
