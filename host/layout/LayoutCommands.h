// LayoutCommands: the table of the layout command classes with their implementations, for registration.
#pragma once

#include <vector>

#include "host/core/Registry.h"

struct LayoutCommandInfo {
  ClassID cls;
  const char* name;
  ImplementationFactory factory;
};

// Every layout command class, in a fixed order (each gets the next implementation ID from
// kLayoutCmdImplBase).
const std::vector<LayoutCommandInfo>& LayoutCommandTable();
