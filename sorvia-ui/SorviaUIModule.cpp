// Entry of the Sorvia UI module.
#include "sorvia-ui/SorviaUIPlugIn.h"

PAGEHOST_PLUGIN_EXPORT IPlugIn* GetPlugIn() {
  static sorviaui::SorviaUIPlugIn plugIn;
  return &plugIn;
}
