// RunAttributes: what a run of text carries, in the paragraph strand or the character strand: a style and
// the overrides set on top of it.
#pragma once

#include <utility>

#include "host/core/IDs.h"
#include "host/text/AttributeBossList.h"

// The list comes first so that the style ends the object and a run's length can sit in the padding after it
// (see StyledText::CharacterRun); the constructor keeps the style first where attributes are written out.
struct RunAttributes {
  RunAttributes(UID style = UID(),
                AttrListRef overrides = EmptyAttributeList())  // NOLINT(google-explicit-constructor)
      : overrides(std::move(overrides)), style(style) {}

  AttrListRef overrides;
  UID style;
};

// Lists are interned, so equal overrides are one object.
inline bool SameRunAttributes(const RunAttributes& a, const RunAttributes& b) {
  return a.style == b.style && SameAttributes(a.overrides, b.overrides);
}
