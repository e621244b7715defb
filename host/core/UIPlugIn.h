// UIPlugIn: base of the UI plug-ins, which load only beside a model plug-in of exactly their own version.
#pragma once

#include "host/core/PlugIn.h"
#include "host/core/Registry.h"

class UIPlugIn : public PlugIn {
 public:
  UIPlugIn(PluginID id, const char* name, const char* version, PluginID model)
      : PlugIn(id, name, version), model_(model) {}
  PluginID GetRequiredPlugIn() const override { return model_; }
  // Refuses (kFailure) when the model plug-in publishes no version or another one.
  ErrorCode Register(Registry& registry) final {
    if (registry.GetPlugInVersion(model_) != GetVersion()) return kFailure;
    return RegisterUI(registry);
  }

 protected:
  virtual ErrorCode RegisterUI(Registry& registry) = 0;

 private:
  PluginID model_;
};
