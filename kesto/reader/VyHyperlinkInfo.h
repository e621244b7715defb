// VyHyperlinkInfo: what a hyperlink tag asks for: the destination by name, what the destination is (a
// page, a named text anchor or an address) and the character style of a text source. The scanner resets
// it at each hyperlink tag; the agent makes the hyperlink from it.
#pragma once

#include <cstdint>

#include "host/core/WideString.h"

namespace kesto {

struct VyHyperlinkInfo {
  WideString destinationName;
  WideString hyperlinkName;  // empty: the host names it
  bool newDestination = false;
  bool visible = false;
  // The page index (0-based) of a page destination; -1 for a named anchor or an address.
  int32_t page = -1;
  WideString anchorName;  // a destination at a text anchor of that name
  WideString url;         // a destination address
  WideString characterStyle;

  void Reset() { *this = VyHyperlinkInfo(); }
};

}  // namespace kesto
