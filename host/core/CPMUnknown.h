// Base classes of implementations: CPMUnknownBase (what the boss needs of every implementation) and
// CPMUnknown<I>, whose reference counting and queries are those of its boss.
#pragma once

#include "host/core/IPMUnknown.h"

class Boss;
class IPMStream;

class CPMUnknownBase {
 public:
  CPMUnknownBase(const CPMUnknownBase&) = delete;
  CPMUnknownBase& operator=(const CPMUnknownBase&) = delete;
  virtual ~CPMUnknownBase() = default;

  // Moves the persistent fields through `stream` in one fixed order; the stream decides the direction.
  // Only implementations registered as persistent are asked.
  virtual void ReadWrite(IPMStream* stream, ImplementationID implementation) {}
  // The database put back persistent fields behind this implementation's back (undo, redo, a failed
  // command's rollback) or has just read the whole document from a file: state derived from those fields
  // is stale. Called once every object of the restore is back, so other objects may be read here.
  virtual void DidRestore() {}

  Boss* GetBossObject() const { return boss_; }
  ImplementationID GetImplementationID() const { return implementation_; }

 protected:
  explicit CPMUnknownBase(Boss* boss) : boss_(boss) {}
  // Announces a change of this implementation's persistent fields before it happens, so that the
  // database can keep the earlier state for undo. Call it in every setter, before changing anything, and
  // change nothing unless it answers kSuccess: a change outside a command (and outside an UntrackedChanges
  // scope) is refused with kNotInCommandError.
  ErrorCode PreDirty() const;

 private:
  friend class Boss;
  Boss* boss_;
  ImplementationID implementation_;
};

template <class I>
class CPMUnknown : public I, public CPMUnknownBase {
 public:
  IPMUnknown* QueryInterface(PMIID iid) const override;
  void AddRef() const override;
  void Release() const override;
  Boss* GetBoss() const override { return GetBossObject(); }

 protected:
  explicit CPMUnknown(Boss* boss) : CPMUnknownBase(boss) {}
};

#include "host/core/Boss.h"

template <class I>
IPMUnknown* CPMUnknown<I>::QueryInterface(PMIID iid) const {
  return GetBossObject()->QueryInterface(iid);
}
template <class I>
void CPMUnknown<I>::AddRef() const {
  GetBossObject()->AddRef();
}
template <class I>
void CPMUnknown<I>::Release() const {
  GetBossObject()->Release();
}
