// Registry: what the loaded plug-ins have declared: classes with their interfaces, implementations with
// their factories, interfaces added to classes of others, and each plug-in's version string. An ID is
// registered once: a second registration is refused and noted as a clash.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/IDs.h"

class Boss;
class CPMUnknownBase;
class IPMUnknown;

struct InterfaceEntry {
  PMIID iid;
  ImplementationID implementation;
};

// What a factory makes: the implementation (owned by the boss) and its interface view.
struct CreatedImplementation {
  CPMUnknownBase* object = nullptr;
  IPMUnknown* face = nullptr;
};
using ImplementationFactory = CreatedImplementation (*)(Boss* boss);

// A class with its parents' interfaces folded in, as bosses use it.
struct ResolvedClass {
  ClassID id;
  std::vector<ClassID> lineage;  // the class itself first, then its parents
  struct Entry {
    PMIID iid;
    ImplementationID implementation;
    bool persistent;
    ImplementationFactory factory;
  };
  std::vector<Entry> entries;  // sorted by iid
};

struct PlugInInfo {
  PluginID id;
  std::string name;
  std::string version;
};

class Registry {
 public:
  static Registry& Get();

  // Each answers kSuccess; kInvalidParameterError for an invalid ID, a missing factory or a parent that
  // would make a cycle; kIDClashError, registering nothing and noting the clash, when the ID is taken.
  ErrorCode RegisterClass(ClassID cls, ClassID parent, std::string name, std::vector<InterfaceEntry> entries);
  ErrorCode RegisterImplementation(ImplementationID id, ImplementationFactory factory, bool persistent);
  template <class Impl>
  ErrorCode RegisterImplementation(ImplementationID id, bool persistent = false) {
    return RegisterImplementation(id, &Make<Impl>, persistent);
  }
  // Adds interfaces to a class another plug-in (or the host) owns; the class need not exist yet. Adding an
  // entry again is harmless; kIDClashError (nothing added) when the class or an earlier add-in already
  // gives one of the interfaces another implementation.
  ErrorCode AddIn(ClassID cls, std::vector<InterfaceEntry> entries);

  // Every refused registration of a taken ID so far, oldest first, as a sentence for the user.
  const std::vector<std::string>& GetClashes() const { return clashes_; }
  // Where the registrations stand, so that a plug-in whose registration fails half way can be taken out
  // again: Restore takes back every class, add-in and implementation registered since, latest first (the
  // registry notes each as it is made, so a checkpoint costs nothing). Plug-ins and noted clashes stay.
  class Checkpoint;
  Checkpoint Save() const;
  void Restore(Checkpoint checkpoint);

  // Null when the class is unknown. The result stays valid while held, whatever is registered later.
  std::shared_ptr<const ResolvedClass> Resolve(ClassID cls) const;
  bool IsClassRegistered(ClassID cls) const { return tables_.classes.contains(cls); }
  bool IsA(ClassID cls, ClassID base) const;
  std::string GetClassName(ClassID cls) const;
  bool IsPersistent(ImplementationID id) const;
  bool IsImplementationRegistered(ImplementationID id) const { return tables_.implementations.contains(id); }

  void RegisterPlugIn(PlugInInfo info);
  // Empty when no such plug-in is loaded.
  std::string GetPlugInVersion(PluginID id) const;
  const std::vector<PlugInInfo>& GetPlugIns() const { return plugIns_; }

 private:
  struct ClassInfo {
    ClassID parent;
    std::string name;
    std::vector<InterfaceEntry> entries;
  };
  struct ImplementationInfo {
    ImplementationFactory factory;
    bool persistent;
  };
  template <class Impl>
  static CreatedImplementation Make(Boss* boss) {
    auto* impl = new Impl(boss);
    return {impl, static_cast<IPMUnknown*>(impl)};
  }
  std::shared_ptr<const ResolvedClass> Build(ClassID cls) const;
  void Invalidate() { cache_.clear(); }

  struct Tables {
    std::unordered_map<ClassID, ClassInfo> classes;
    std::unordered_map<ClassID, std::vector<InterfaceEntry>> addIns;
    std::unordered_map<ImplementationID, ImplementationInfo> implementations;
  };
  ErrorCode Clash(std::string description);
  // The implementation that the class itself or an earlier add-in gives `entry.iid` of `cls`, when it is
  // not `entry.implementation`; 0 otherwise.
  ImplementationID ConflictingAddIn(ClassID cls, const InterfaceEntry& entry) const;

  // One registration as it can be taken back: the class or implementation added, or the add-in list of
  // `id` and how many entries it had before.
  struct Change {
    enum class Kind : uint8_t { kClass, kAddIn, kImplementation } kind;
    uint32_t id;
    size_t addInsBefore = 0;
  };
  void TakeBack(const Change& change);

  Tables tables_;
  std::vector<Change> changes_;
  mutable std::unordered_map<ClassID, std::shared_ptr<const ResolvedClass>> cache_;
  std::vector<PlugInInfo> plugIns_;
  std::vector<std::string> clashes_;
};

class Registry::Checkpoint {
  friend class Registry;
  explicit Checkpoint(size_t changes) : changes_(changes) {}
  size_t changes_;
};
