// PictureJson: the picture and link members of `pagehost inspect --json` and of `pagehost links --json`:
// a graphic frame's "content" and the document's "links". Link states are the files' states now.
#pragma once

#include <ostream>
#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// `,"content":{...}` for a graphic frame (null when it holds no picture), with the picture's "image" UID,
// "path", "format", "pixels" [w, h], "ppi" [x, y], "effectivePpi" [x, y] (the resolution at the content's
// and the frame's scale), "page" and "pageCount", "bounds", "transform" (the content transform),
// "proxy", its "link" {uid, uri, state} and the frame's "placement" options; nothing for other items.
std::string PictureItemMembers(IDataBase& db, UID item);
// `[{...}, ...]`: each link in use with its "uid", "uri", "path", "type", "size", "modified" (nanoseconds
// since 1970), "state" and "items" (the image items linked to it).
std::string LinksJson(IDataBase& db);

}  // namespace pagehost
