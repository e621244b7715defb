// IPlugIn: what a plug-in module hands the host through its exported GetPlugIn.
#pragma once

#include "host/core/IDs.h"

class Registry;

class IPlugIn {
 public:
  virtual ~IPlugIn() = default;
  virtual PluginID GetPluginID() const = 0;
  virtual const char* GetName() const = 0;
  virtual const char* GetVersion() const = 0;
  // The plug-in that must be registered first, or 0.
  virtual PluginID GetRequiredPlugIn() const { return 0; }
  // Registers the plug-in's classes, implementations, services and strings. A non-zero answer refuses the
  // load, as does an ID that clashes: the loader then takes the plug-in's classes, implementations and
  // services out again; anything else it registered (strings, attribute classes) it must not leave behind.
  virtual ErrorCode Register(Registry& registry) = 0;
};

// Every plug-in module exports this entry; the object lives as long as the module.
extern "C" {
using GetPlugInProc = IPlugIn* (*)();
}
#define PAGEHOST_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
