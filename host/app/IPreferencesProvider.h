// IPreferencesProvider: a plug-in's preferences for front ends, each setting by a readable name with its
// value as text. Providers register their class under kPreferencesProviderService.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/app/AppIDs.h"
#include "host/core/InterfacePtr.h"

struct PreferenceSetting {
  std::string name;     // "convert-quotes"
  std::string value;    // as `Set` takes it: "on", "12", "txt,md"
  std::string json;     // the value as JSON: true, 12, "Downloads", ["txt","md"]
  std::string summary;  // one line for the user
};

class IPreferencesProvider : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IPREFERENCESPROVIDER.Get() };
  // The settings of the application workspace, in a fixed order.
  virtual std::vector<PreferenceSetting> GetSettings() const = 0;
  // Changes one setting as one undoable step. False, with `error` saying why (an unknown name lists the
  // known ones), when the name or the value is not one the provider takes; nothing is changed then.
  virtual bool Set(std::string_view name, std::string_view value, std::string& error) = 0;
  // Gives every setting its default value as one undoable step.
  virtual bool Reset(std::string& error) = 0;
};

// The providers of the loaded plug-ins.
std::vector<InterfacePtr<IPreferencesProvider>> PreferencesProviders();
