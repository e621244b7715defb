// One-call layout commands.
#include "host/layout/LayoutCmdUtils.h"

namespace LayoutCmdUtils {

ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const LayoutParams& params,
                  std::vector<UID>* result) {
  return ProcessWith<ILayoutCmdData>(cls, db, items, params, result);
}

}  // namespace LayoutCmdUtils
