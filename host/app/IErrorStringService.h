// IErrorStringService: the text of error codes a plug-in owns, for messages to the user. Services
// register their class under kErrorStringService.
#pragma once

#include <string>

#include "host/app/AppIDs.h"
#include "host/core/InterfacePtr.h"

class IErrorStringService : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IERRORSTRINGSERVICE.Get() };
  // True when `code` is one of the service's; `text` (UTF-8) is then its text.
  virtual bool GetErrorString(int32_t code, std::string& text) const = 0;
};

// The text of `code` from the first service that owns it; empty when none does.
std::string ErrorStringFor(int32_t code);
