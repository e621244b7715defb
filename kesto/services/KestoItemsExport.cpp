// Running one export of page items.
#include "kesto/services/KestoItemsExport.h"

#include "host/layout/LayoutUtils.h"
#include "kesto/streams/FileSystemErrors.h"
#include "kesto/streams/VyStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "kesto/writer/KestoItemPutter.h"
#include "kesto/writer/KestoPutterAgent.h"

namespace kesto {

int32_t RunKestoItemsExport(VyStreamAgent* agent, IDataBase* db, const std::vector<UID>& items,
                            const KestoExportParams& params) {
  if (!agent || !db || items.empty()) return kParamErr;
  for (UID item : items)
    if (!db->IsValidUID(item) || !LayoutUtils::IsPageItem(db, item)) return kParamErr;
  VyTextStream stream(agent, params.encoding, VyTextStream::kWindowsLineEnds);
  if (params.byteOrderMark) stream.WriteByteOrderMark();
  KestoItemPutter putter;
  putter.SetOptions(params.options);
  putter.SetEncoding(params.encoding);
  if (db->IsValidUID(params.story)) putter.SetStoryInPlace(params.story);
  KestoPutterAgent putterAgent(&stream, &putter);
  int32_t result = putter.PutItems(db, items, &putterAgent);
  int closed = agent->Close();
  if ((result == KestoPutterAgent::kStreamFailed || result == 0) && (closed < 0 || stream.IsBad())) {
    int16_t code = agent->GetError();
    return code != 0 ? code : kIOErr;
  }
  return result;
}

}  // namespace kesto
