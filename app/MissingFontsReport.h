// MissingFontsReport: the fonts a document names that this machine lacks, in inspect's summary and JSON.
#pragma once

#include <ostream>

#include "host/db/IDataBase.h"

namespace pagehost {

// "Missing fonts: N" and one line per font with the face it is composed in; nothing when none is missing.
void WriteMissingFontsSummary(IDataBase& db, std::ostream& out);
// The member ,"missingFonts":[{"family":...,"face":...,"substitute":...}], always present.
void WriteMissingFontsJson(IDataBase& db, std::ostream& out);

}  // namespace pagehost
