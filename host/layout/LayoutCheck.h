// LayoutCheck: whether the layout of a document read from a file is consistent, so that the queries and
// commands can trust it: the lists name objects of the right classes, each spread's layers match the
// document's layers, pages name their spread, the hierarchy's parents and children agree, masters name
// master spreads, override entries, overridden items and frame lists name live objects, sections start on
// distinct document pages, each frame and story agree on their frame list, items anchored in text stand
// outside the hierarchy on anchor characters, no item lies deeper than kMaxItemDepth, and no story is shown
// inside its own text, and items' graphic attributes and object styles name what the document has. The check
// is linear in the document's objects, so that it can run before every save as well.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace LayoutCheck {

// Empty when the layout is consistent (or absent); otherwise the first fault found, for a message.
std::string FindFault(const IDataBase& db);

}  // namespace LayoutCheck
