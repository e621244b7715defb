// DocumentSummary: the readable description of a document that `pagehost inspect` prints.
#pragma once

#include <ostream>

#include "host/db/IDataBase.h"

namespace pagehost {

void WriteSummary(IDataBase& db, std::ostream& out);

}  // namespace pagehost
