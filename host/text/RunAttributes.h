// RunAttributes: what a run of text carries, in the paragraph strand or the character strand: a style and
// the overrides set on top of it.
#pragma once

#include "host/core/IDs.h"
#include "host/text/AttributeBossList.h"

struct RunAttributes {
  UID style;
  AttrListRef overrides = EmptyAttributeList();
};

// Lists are interned, so equal overrides are one object.
inline bool SameRunAttributes(const RunAttributes& a, const RunAttributes& b) {
  return a.style == b.style && SameAttributes(a.overrides, b.overrides);
}
