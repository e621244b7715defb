// DocumentJson: the document as one JSON object, as `pagehost inspect --json` prints it: stories with their
// text, paragraphs and character runs, paragraph and character styles, and swatches. Positions are UTF-16
// indexes; a run's "attributes" are its overrides only, keyed by the host dialect's long attribute name (or
// by class number), with named objects (styles, swatches, font families, languages) given by name.
#pragma once

#include <ostream>

#include "host/db/IDataBase.h"

namespace pagehost {

struct DocumentJsonOptions {
  bool lines = false;         // text frames also carry their composed lines
  bool attributeIds = false;  // attributes keyed by class number, for scripts written against numbers
};

void WriteDocumentJson(IDataBase& db, std::ostream& out, const DocumentJsonOptions& options = {});

}  // namespace pagehost
