// DocumentJson: the document as one JSON object, as `pagehost inspect --json` prints it: stories with their
// text, paragraphs and character runs, paragraph and character styles, and swatches. Positions are UTF-16
// indexes; a run's "attributes" are its overrides only, keyed by attribute class number, with named objects
// (styles, swatches, font families, languages) given by name.
#pragma once

#include <ostream>

#include "host/db/IDataBase.h"

namespace pagehost {

// With `lines`, text frames also carry their composed lines.
void WriteDocumentJson(IDataBase& db, std::ostream& out, bool lines = false);

}  // namespace pagehost
