// MissingFonts: the fonts a document's text names that this machine cannot compose with (not installed, or
// a file that cannot be read), each with the face composition uses instead. The document keeps the names.
#pragma once

#include <vector>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"

class FontFace;

struct MissingFont {
  WideString family;
  WideString face;
  const FontFace* substitute = nullptr;  // the catalog's; never null
};

// Each missing family and face once, ordered by family and face; empty when every font is at hand.
std::vector<MissingFont> FindMissingFonts(IDataBase& db);
