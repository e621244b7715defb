// Entry of the Kesto module.
#include "kesto/services/KestoPlugIn.h"

PAGEHOST_PLUGIN_EXPORT IPlugIn* GetPlugIn() {
  static kesto::KestoPlugIn plugIn;
  return &plugIn;
}
