// PlugIn: the host's base for plug-in objects; holds the ID, name and version the plug-in publishes.
#pragma once

#include "host/core/IPlugIn.h"

class PlugIn : public IPlugIn {
 public:
  PlugIn(PluginID id, const char* name, const char* version) : id_(id), name_(name), version_(version) {}
  PluginID GetPluginID() const override { return id_; }
  const char* GetName() const override { return name_; }
  const char* GetVersion() const override { return version_; }

 private:
  PluginID id_;
  const char* name_;
  const char* version_;
};
