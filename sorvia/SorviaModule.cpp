// Entry of the Sorvia module.
#include "sorvia/SorviaPlugIn.h"

PAGEHOST_PLUGIN_EXPORT IPlugIn* GetPlugIn() {
  static sorvia::SorviaPlugIn plugIn;
  return &plugIn;
}
