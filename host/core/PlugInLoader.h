// PlugInLoader: finds plug-in modules in a folder, loads them and registers them in dependency order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/core/IDs.h"

class IPlugIn;

struct PlugInLoadFailure {
  std::string module;  // path of the module, or the plug-in's name
  std::string reason;
};

struct PlugInLoadReport {
  std::vector<PluginID> loaded;
  std::vector<PlugInLoadFailure> failures;
};

class PlugInLoader {
 public:
  // Loads every "*.so" of `folder` (in name order) and registers the plug-ins whose requirement is met.
  // A module that cannot be opened, has no GetPlugIn, refuses to register or registers an ID that is
  // taken is reported and skipped; what such a plug-in registered in Registry and ServiceRegistry before
  // it failed is taken out again.
  static PlugInLoadReport LoadFolder(const std::filesystem::path& folder);
  // Registers plug-ins already in memory (the tests link the plug-ins' static libraries), in dependency
  // order, reporting and skipping them as LoadFolder does.
  static PlugInLoadReport RegisterAll(const std::vector<IPlugIn*>& plugIns);
};
