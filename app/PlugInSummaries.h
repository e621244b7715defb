// PlugInSummaries: the lines the loaded plug-ins add to a document's readable summary.
#pragma once

#include <ostream>

#include "host/db/IDataBase.h"

namespace pagehost {

void WritePlugInSummaries(IDataBase& db, std::ostream& out);

}  // namespace pagehost
