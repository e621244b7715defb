// HyperlinkJson: the members of `pagehost inspect --json` for the document's hyperlinks, destinations and
// text anchors.
#pragma once

#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// `,"hyperlinks":[...],"destinations":[...],"textAnchors":[...]`. A hyperlink gives its "name",
// "visible", "source" (by "kind": text with "story", "start", "end" and "characterStyle"; item with
// "item"; anchor with "anchor"), its "destination" by name and its "appearance" (with its border colour by
// name). A destination gives its "name" and "kind" with its "url", its "page" (the page's number from 1, null
// once the page is deleted) and "zoom", or its "anchor". A text anchor gives its "name", "page" flag, "story"
// and "position" (-1 once its character is deleted).
std::string HyperlinkMembers(IDataBase& db);

}  // namespace pagehost
