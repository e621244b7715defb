// DocumentCheck: whether a document read from a file is consistent, so that a document which opens can be
// worked on: its story list names stories, the first of them (the main story) among them; each story's text
// and runs agree (ITextModel::Check); every style a run names is a style of its strand's kind; every object
// a run's overrides refer to exists; the style tables name styles of their kind, which name styles of the
// right kinds in turn; the workspace's lists name swatches, stroke styles, font families and languages, and
// each tint a swatch as its base.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace DocumentCheck {

// Empty when the document is consistent; otherwise the first fault found, for a message ("story 12: the
// character strand does not cover the text").
std::string FindFault(const IDataBase& db);

// What opening `db` once saved would refuse, checked before saving: FindFault (in builds with assertions
// only: it costs more than half a save), then the layout's check (LayoutCheck, linear and next to free)
// unless the document has no layout yet (opening builds one). Empty when it would open.
std::string FindSaveFault(const IDataBase& db);

}  // namespace DocumentCheck
