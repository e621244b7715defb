// Entry of the Kesto UI module.
#include "kesto-ui/KestoUIPlugIn.h"

PAGEHOST_PLUGIN_EXPORT IPlugIn* GetPlugIn() {
  static kestoui::KestoUIPlugIn plugIn;
  return &plugIn;
}
