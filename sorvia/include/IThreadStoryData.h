// What a story's frame list carries for threads: the thread the story belongs to (kInvalidUID: none) and its
// orphan flag (the story keeps its thread but is left out of automatic linking).
#pragma once

#include "host/db/ValueData.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

using IThreadReference = IValueData<UID, IID_ITHREADREFERENCE.Get()>;
using IThreadOrphan = IValueData<bool, IID_ITHREADORPHAN.Get()>;
// The previous page of the override-master-frames command.
using IPreviousPageData = IValueData<UID, IID_IPREVIOUSPAGEDATA.Get()>;

}  // namespace sorvia
