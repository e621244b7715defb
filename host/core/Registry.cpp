// The process-wide registry of classes, implementations and plug-ins.
#include "host/core/Registry.h"

#include <algorithm>
#include <cassert>

Registry& Registry::Get() {
  static Registry registry;
  return registry;
}

ErrorCode Registry::RegisterClass(ClassID cls, ClassID parent, std::string name,
                                  std::vector<InterfaceEntry> entries) {
  if (!cls.IsValid() || classes_.contains(cls)) return kInvalidParameterError;
  if (parent.IsValid() && IsA(parent, cls)) return kInvalidParameterError;  // would make a cycle
  classes_.emplace(cls, ClassInfo{parent, std::move(name), std::move(entries)});
  Invalidate();
  return kSuccess;
}

ErrorCode Registry::AddIn(ClassID cls, std::vector<InterfaceEntry> entries) {
  if (!cls.IsValid()) return kInvalidParameterError;
  auto& list = addIns_[cls];
  list.insert(list.end(), entries.begin(), entries.end());
  Invalidate();
  return kSuccess;
}

ErrorCode Registry::RegisterImplementation(ImplementationID id, ImplementationFactory factory,
                                           bool persistent) {
  if (!id.IsValid() || factory == nullptr || implementations_.contains(id)) return kInvalidParameterError;
  implementations_.emplace(id, ImplementationInfo{factory, persistent});
  Invalidate();
  return kSuccess;
}

std::shared_ptr<const ResolvedClass> Registry::Resolve(ClassID cls) const {
  if (auto it = cache_.find(cls); it != cache_.end()) return it->second;
  auto resolved = Build(cls);
  if (resolved) cache_.emplace(cls, resolved);
  return resolved;
}

// Parents first, so that a class's own entries and add-ins replace what it inherits for the same interface.
std::shared_ptr<const ResolvedClass> Registry::Build(ClassID cls) const {
  auto it = classes_.find(cls);
  if (it == classes_.end()) return nullptr;
  auto resolved = std::make_shared<ResolvedClass>();
  resolved->id = cls;
  std::map<PMIID, ImplementationID> table;
  if (it->second.parent.IsValid()) {
    if (auto parent = Resolve(it->second.parent)) {
      resolved->lineage = parent->lineage;
      for (const auto& e : parent->entries)
        table[e.iid] = e.implementation;
    }
  }
  resolved->lineage.insert(resolved->lineage.begin(), cls);
  for (const auto& e : it->second.entries)
    table[e.iid] = e.implementation;
  if (auto add = addIns_.find(cls); add != addIns_.end()) {
    for (const auto& e : add->second)
      table[e.iid] = e.implementation;
  }
  for (const auto& [iid, implementation] : table) {
    auto impl = implementations_.find(implementation);
    // An interface whose implementation no loaded plug-in provides is simply absent.
    if (impl == implementations_.end()) continue;
    resolved->entries.push_back({iid, implementation, impl->second.persistent, impl->second.factory});
  }
  return resolved;
}

bool Registry::IsA(ClassID cls, ClassID base) const {
  for (ClassID c = cls; c.IsValid();) {
    if (c == base) return true;
    auto it = classes_.find(c);
    if (it == classes_.end()) return false;
    c = it->second.parent;
  }
  return false;
}

std::string Registry::GetClassName(ClassID cls) const {
  auto it = classes_.find(cls);
  return it == classes_.end() ? std::string() : it->second.name;
}

bool Registry::IsPersistent(ImplementationID id) const {
  auto it = implementations_.find(id);
  return it != implementations_.end() && it->second.persistent;
}

void Registry::RegisterPlugIn(PlugInInfo info) {
  auto same = [&](const PlugInInfo& p) { return p.id == info.id; };
  std::erase_if(plugIns_, same);
  plugIns_.push_back(std::move(info));
}

std::string Registry::GetPlugInVersion(PluginID id) const {
  for (const auto& p : plugIns_) {
    if (p.id == id) return p.version;
  }
  return {};
}
