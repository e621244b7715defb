// UndoRedoChange: the changed-by data of the undo and redo messages: which way, the step's name and the
// objects whose state the step restores, so that observers can bring what they derive from them up to date.
#pragma once

#include <string>
#include <vector>

#include "host/core/IDs.h"

struct UndoRedoChange {
  bool redo = false;
  std::string name;
  std::vector<UID> objects;  // ascending
};
