// IKerningMethod: a way of spacing pairs of letters, offered as a service (kKerningMethodService) so that
// text can name it by its translated name.
#pragma once

#include <string>

#include "host/core/IPMUnknown.h"
#include "host/res/ResIDs.h"

class FontFace;

class IKerningMethod : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IKERNINGMETHOD.Get() };
  // A translation key; Translator gives the name users see ("Metrics").
  virtual std::string GetNameKey() const = 0;
  // The space added between `left` and `right` set in `face`, in 1/1000 em; negative brings them closer.
  virtual int32_t GetKerning(const FontFace& face, char32_t left, char32_t right) const = 0;
};
