// HyperlinkCheck: whether the hyperlinks, destinations and text anchors of a document read from a file
// name objects of the right kinds: pages, stories, page items and text anchors, or objects deleted since
// (a destination whose page was deleted leads nowhere but is no fault); hyperlinks go to destinations of
// the table; text sources lie inside their stories; the anchor list names distinct text anchors of distinct
// names.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace HyperlinkCheck {

// Empty when consistent; otherwise the first fault found, for a message.
std::string FindFault(const IDataBase& db);

}  // namespace HyperlinkCheck
