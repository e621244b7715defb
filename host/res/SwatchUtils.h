// SwatchUtils: the swatch list of a document and the swatch commands, each in one call.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/res/ColorValue.h"
#include "host/res/ISwatchList.h"

namespace SwatchUtils {

// Empty when `db` is not a document.
InterfacePtr<ISwatchList> QuerySwatchList(const IDataBase* db);

// Process the new-colour or new-tint command and answer its error code; `swatch` receives the new swatch, or
// kInvalidUID on failure. On failure the global error code stays set for the caller to read and reset.
ErrorCode CreateColorSwatch(IDataBase* db, const WideString& name, const ColorValue& color, UID& swatch);
ErrorCode CreateTintSwatch(IDataBase* db, UID base, double tint, UID& swatch);

}  // namespace SwatchUtils
