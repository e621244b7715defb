// KestoItemsExport: one whole export of page items as Kesto tagged text: the items as box tags with their
// stories, through a text stream over a stream agent, and the closing of the destination.
#pragma once

#include <cstdint>
#include <vector>

#include "host/db/IDataBase.h"
#include "kesto/services/KestoExportDriver.h"

namespace kesto {

// Writes `items` of `db` (back to front) to `agent` (borrowed; closed at the end) with the encoding,
// options and byte-order mark of `params` (its story and range are not used). Answers 0, a file-system
// code of the destination, -50 for no items or an item that is not a page item of `db`, or the writer's
// own error. The frames of `params.story`, when it is one, are written as its text rather than as boxes.
int32_t RunKestoItemsExport(VyStreamAgent* agent, IDataBase* db, const std::vector<UID>& items,
                            const KestoExportParams& params);

}  // namespace kesto
