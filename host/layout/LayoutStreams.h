// Small helpers the layout's persistent objects share: moving lists of references and margins through a
// stream, and ordered lists of UIDs.
#pragma once

#include <algorithm>
#include <vector>

#include "host/db/IPMStream.h"
#include "host/layout/Geometry.h"

namespace LayoutStreams {

inline void XferUIDs(IPMStream* stream, std::vector<UID>& uids) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(uids.size()), 4);
  if (stream->IsReading()) uids.assign(count, UID());
  for (UID& uid : uids)
    stream->XferReference(uid);
}

inline void XferRect(IPMStream* stream, PMRect& r) {
  stream->XferReal(r.left);
  stream->XferReal(r.top);
  stream->XferReal(r.right);
  stream->XferReal(r.bottom);
}

inline void XferMargins(IPMStream* stream, Margins& m) {
  stream->XferReal(m.top);
  stream->XferReal(m.left);
  stream->XferReal(m.bottom);
  stream->XferReal(m.right);
}

// -1 when absent.
inline int32_t IndexIn(const std::vector<UID>& uids, UID uid) {
  auto it = std::find(uids.begin(), uids.end(), uid);
  return it == uids.end() ? -1 : static_cast<int32_t>(it - uids.begin());
}

inline UID At(const std::vector<UID>& uids, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < uids.size() ? uids[static_cast<size_t>(index)]
                                                                : kInvalidUID;
}

// Inserts before `at`, clamped to the list (-1 or beyond the end appends).
inline void InsertAt(std::vector<UID>& uids, UID uid, int32_t at) {
  size_t position = at < 0 || static_cast<size_t>(at) > uids.size() ? uids.size() : static_cast<size_t>(at);
  uids.insert(uids.begin() + static_cast<std::ptrdiff_t>(position), uid);
}

}  // namespace LayoutStreams
