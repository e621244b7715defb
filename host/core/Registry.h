// Registry: what the loaded plug-ins have declared: classes with their interfaces, implementations with
// their factories, interfaces added to classes of others, and each plug-in's version string.
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

  // Each answers kSuccess, or kInvalidParameterError when the ID is taken or invalid.
  ErrorCode RegisterClass(ClassID cls, ClassID parent, std::string name, std::vector<InterfaceEntry> entries);
  // Adds interfaces to a class another plug-in (or the host) owns; the class need not exist yet.
  ErrorCode AddIn(ClassID cls, std::vector<InterfaceEntry> entries);
  ErrorCode RegisterImplementation(ImplementationID id, ImplementationFactory factory, bool persistent);
  template <class Impl>
  ErrorCode RegisterImplementation(ImplementationID id, bool persistent = false) {
    return RegisterImplementation(id, &Make<Impl>, persistent);
  }

  // Null when the class is unknown. The result stays valid while held, whatever is registered later.
  std::shared_ptr<const ResolvedClass> Resolve(ClassID cls) const;
  bool IsClassRegistered(ClassID cls) const { return classes_.contains(cls); }
  bool IsA(ClassID cls, ClassID base) const;
  std::string GetClassName(ClassID cls) const;
  bool IsPersistent(ImplementationID id) const;

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

  std::unordered_map<ClassID, ClassInfo> classes_;
  std::unordered_map<ClassID, std::vector<InterfaceEntry>> addIns_;
  std::unordered_map<ImplementationID, ImplementationInfo> implementations_;
  mutable std::unordered_map<ClassID, std::shared_ptr<const ResolvedClass>> cache_;
  std::vector<PlugInInfo> plugIns_;
};
