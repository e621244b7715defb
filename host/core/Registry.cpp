// The process-wide registry of classes, implementations and plug-ins.
#include "host/core/Registry.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Hex(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%06X", id);
  return text;
}

}  // namespace

Registry& Registry::Get() {
  static Registry registry;
  return registry;
}

ErrorCode Registry::RegisterClass(ClassID cls, ClassID parent, std::string name,
                                  std::vector<InterfaceEntry> entries) {
  if (!cls.IsValid()) return kInvalidParameterError;
  if (auto taken = tables_.classes.find(cls); taken != tables_.classes.end()) {
    return Clash("class " + Hex(cls.Get()) + " (" + name + ") is already registered as " +
                 taken->second.name);
  }
  if (parent.IsValid() && IsA(parent, cls)) return kInvalidParameterError;  // would make a cycle
  tables_.classes.emplace(cls, ClassInfo{parent, std::move(name), std::move(entries)});
  changes_.push_back({Change::Kind::kClass, cls.Get()});
  Invalidate();
  return kSuccess;
}

ErrorCode Registry::AddIn(ClassID cls, std::vector<InterfaceEntry> entries) {
  if (!cls.IsValid()) return kInvalidParameterError;
  for (const auto& entry : entries) {
    if (ImplementationID other = ConflictingAddIn(cls, entry); other.IsValid()) {
      return Clash("interface " + Hex(entry.iid.Get()) + " of class " + Hex(cls.Get()) +
                   " is already given implementation " + Hex(other.Get()));
    }
  }
  auto& list = tables_.addIns[cls];
  changes_.push_back({Change::Kind::kAddIn, cls.Get(), list.size()});
  for (const auto& entry : entries) {
    auto same = [&](const InterfaceEntry& e) { return e.iid == entry.iid; };
    if (std::none_of(list.begin(), list.end(), same)) list.push_back(entry);
  }
  Invalidate();
  return kSuccess;
}

ImplementationID Registry::ConflictingAddIn(ClassID cls, const InterfaceEntry& entry) const {
  auto conflict = [&](const std::vector<InterfaceEntry>& list) {
    for (const auto& e : list) {
      if (e.iid == entry.iid && e.implementation != entry.implementation) return e.implementation;
    }
    return ImplementationID();
  };
  ImplementationID found;
  if (auto own = tables_.classes.find(cls); own != tables_.classes.end())
    found = conflict(own->second.entries);
  auto added = tables_.addIns.find(cls);
  if (!found.IsValid() && added != tables_.addIns.end()) found = conflict(added->second);
  return found;
}

ErrorCode Registry::RegisterImplementation(ImplementationID id, ImplementationFactory factory,
                                           bool persistent) {
  if (!id.IsValid() || factory == nullptr) return kInvalidParameterError;
  if (tables_.implementations.contains(id)) {
    return Clash("implementation " + Hex(id.Get()) + " is already registered");
  }
  tables_.implementations.emplace(id, ImplementationInfo{factory, persistent});
  changes_.push_back({Change::Kind::kImplementation, id.Get()});
  Invalidate();
  return kSuccess;
}

ErrorCode Registry::Clash(std::string description) {
  clashes_.push_back(std::move(description));
  return kIDClashError;
}

Registry::Checkpoint Registry::Save() const {
  return Checkpoint(changes_.size());
}

void Registry::Restore(Checkpoint checkpoint) {
  while (changes_.size() > checkpoint.changes_) {
    TakeBack(changes_.back());
    changes_.pop_back();
  }
  Invalidate();
}

void Registry::TakeBack(const Change& change) {
  switch (change.kind) {
    case Change::Kind::kClass:
      tables_.classes.erase(ClassID(change.id));
      break;
    case Change::Kind::kImplementation:
      tables_.implementations.erase(ImplementationID(change.id));
      break;
    case Change::Kind::kAddIn:
      if (change.addInsBefore == 0) {
        tables_.addIns.erase(ClassID(change.id));
      } else {
        tables_.addIns[ClassID(change.id)].resize(change.addInsBefore);
      }
      break;
  }
}

std::shared_ptr<const ResolvedClass> Registry::Resolve(ClassID cls) const {
  if (auto it = cache_.find(cls); it != cache_.end()) return it->second;
  auto resolved = Build(cls);
  if (resolved) cache_.emplace(cls, resolved);
  return resolved;
}

// Parents first, so that a class's own entries and add-ins replace what it inherits for the same interface.
std::shared_ptr<const ResolvedClass> Registry::Build(ClassID cls) const {
  auto it = tables_.classes.find(cls);
  if (it == tables_.classes.end()) return nullptr;
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
  if (auto add = tables_.addIns.find(cls); add != tables_.addIns.end()) {
    for (const auto& e : add->second)
      table[e.iid] = e.implementation;
  }
  for (const auto& [iid, implementation] : table) {
    auto impl = tables_.implementations.find(implementation);
    // An interface whose implementation no loaded plug-in provides is simply absent.
    if (impl == tables_.implementations.end()) continue;
    resolved->entries.push_back({iid, implementation, impl->second.persistent, impl->second.factory});
  }
  return resolved;
}

bool Registry::IsA(ClassID cls, ClassID base) const {
  for (ClassID c = cls; c.IsValid();) {
    if (c == base) return true;
    auto it = tables_.classes.find(c);
    if (it == tables_.classes.end()) return false;
    c = it->second.parent;
  }
  return false;
}

std::string Registry::GetClassName(ClassID cls) const {
  auto it = tables_.classes.find(cls);
  return it == tables_.classes.end() ? std::string() : it->second.name;
}

bool Registry::IsPersistent(ImplementationID id) const {
  auto it = tables_.implementations.find(id);
  return it != tables_.implementations.end() && it->second.persistent;
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
