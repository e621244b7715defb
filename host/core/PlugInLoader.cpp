// Loading plug-in modules with dlopen and registering them.
#include "host/core/PlugInLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <set>

#include "host/core/IPlugIn.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"

namespace {

// Opens one module. Modules stay loaded for the life of the process: the implementations they registered
// may live in any boss until the very end, so their code must outlive them all.
IPlugIn* OpenModule(const std::filesystem::path& path, std::string& why) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = dlerror();
    why = error ? error : "cannot be opened";
    return nullptr;
  }
  auto entry = reinterpret_cast<GetPlugInProc>(dlsym(handle, "GetPlugIn"));
  if (!entry) {
    why = "exports no GetPlugIn";
    dlclose(handle);
    return nullptr;
  }
  IPlugIn* plugIn = entry();
  if (!plugIn) why = "GetPlugIn answered no plug-in";
  return plugIn;
}

// Registers one plug-in. When it refuses, or answers success although one of its IDs clashed, what it
// registered in the registries is taken out again and `why` says what went wrong.
bool RegisterOne(IPlugIn& plugIn, Registry& registry, std::string& why) {
  ServiceRegistry& services = ServiceRegistry::Get();
  Registry::Checkpoint classes = registry.Save();
  ServiceRegistry::Checkpoint providers = services.Save();
  size_t classClashes = registry.GetClashes().size(), serviceClashes = services.GetClashes().size();
  ErrorCode err = plugIn.Register(registry);
  if (registry.GetClashes().size() > classClashes) {
    why = "its IDs clash: " + registry.GetClashes()[classClashes];
  } else if (services.GetClashes().size() > serviceClashes) {
    why = "its IDs clash: " + services.GetClashes()[serviceClashes];
  } else if (err != kSuccess) {
    why = "refused to load (error " + std::to_string(err) + ")";
  } else {
    return true;
  }
  registry.Restore(std::move(classes));
  services.Restore(std::move(providers));
  return false;
}

}  // namespace

PlugInLoadReport PlugInLoader::LoadFolder(const std::filesystem::path& folder) {
  PlugInLoadReport report;
  std::error_code ec;
  std::vector<std::filesystem::path> modules;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    if (entry.path().extension() == ".so") modules.push_back(entry.path());
  }
  if (ec) {
    report.failures.push_back({folder.string(), "plug-ins folder cannot be read: " + ec.message()});
    return report;
  }
  std::sort(modules.begin(), modules.end());
  std::vector<IPlugIn*> plugIns;
  for (const auto& path : modules) {
    std::string why;
    if (IPlugIn* p = OpenModule(path, why)) {
      plugIns.push_back(p);
    } else {
      report.failures.push_back({path.string(), why});
    }
  }
  PlugInLoadReport registered = RegisterAll(plugIns);
  report.loaded = std::move(registered.loaded);
  report.failures.insert(report.failures.end(), registered.failures.begin(), registered.failures.end());
  return report;
}

// Repeated passes register every plug-in whose requirement is already registered; what is left at the end
// lacks its requirement.
PlugInLoadReport PlugInLoader::RegisterAll(const std::vector<IPlugIn*>& plugIns) {
  PlugInLoadReport report;
  Registry& registry = Registry::Get();
  std::set<uint32_t> done;
  for (const auto& info : registry.GetPlugIns())
    done.insert(info.id.Get());
  std::vector<IPlugIn*> pending = plugIns;
  for (bool progress = true; progress && !pending.empty();) {
    progress = false;
    for (auto it = pending.begin(); it != pending.end();) {
      IPlugIn* p = *it;
      PluginID required = p->GetRequiredPlugIn();
      if (required.IsValid() && !done.contains(required.Get())) {
        ++it;
        continue;
      }
      std::string why;
      if (done.contains(p->GetPluginID().Get())) {
        report.failures.push_back({p->GetName(), "a plug-in with the same ID is already loaded"});
      } else if (!RegisterOne(*p, registry, why)) {
        report.failures.push_back({p->GetName(), why});
      } else {
        registry.RegisterPlugIn({p->GetPluginID(), p->GetName(), p->GetVersion()});
        done.insert(p->GetPluginID().Get());
        report.loaded.push_back(p->GetPluginID());
      }
      it = pending.erase(it);
      progress = true;
    }
  }
  for (IPlugIn* p : pending)
    report.failures.push_back({p->GetName(), "the plug-in it needs is not loaded"});
  return report;
}
