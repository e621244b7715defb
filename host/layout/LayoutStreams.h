// Small helpers the layout's persistent objects share: moving lists of references, coordinates, lengths and
// margins through a stream, each checked as it is read, and ordered lists of UIDs.
#pragma once

#include <algorithm>
#include <string>
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

// Reading: marks the data damaged with `what` and `fault` ("is out of range") unless `valid`. The message is
// put together only for damaged data.
inline void Expect(IPMStream* stream, bool valid, const char* what, const char* fault) {
  if (!valid && stream->IsReading()) stream->MarkDamaged(std::string(what) + " " + fault);
}

// A coordinate within kMaxCoordinate; reading anything else marks the data damaged, naming `what`.
inline void XferCoordinate(IPMStream* stream, double& v, const char* what) {
  stream->XferFinite(v, what);
  Expect(stream, IsValidCoordinate(v), what, "is out of range");
}

// A length: a coordinate that is not negative.
inline void XferLength(IPMStream* stream, double& v, const char* what) {
  XferCoordinate(stream, v, what);
  Expect(stream, v >= 0, what, "is negative");
}

// An integer from `min` to `max`.
inline void XferInt32In(IPMStream* stream, int32_t& v, int32_t min, int32_t max, const char* what) {
  stream->XferInt32(v);
  Expect(stream, v >= min && v <= max, what, "is out of range");
}

// Bounds whose edges are coordinates, left not beyond right and top not below bottom (PMRect::IsValid).
// `what` names an edge ("an edge of a page item's bounds").
inline void XferRect(IPMStream* stream, PMRect& r, const char* what) {
  for (double* edge : {&r.left, &r.top, &r.right, &r.bottom})
    XferCoordinate(stream, *edge, what);
  Expect(stream, r.IsValid(), what, "is beyond the opposite edge");
}

inline void XferMargins(IPMStream* stream, Margins& m, const char* what) {
  for (double* margin : {&m.top, &m.left, &m.bottom, &m.right})
    XferLength(stream, *margin, what);
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
