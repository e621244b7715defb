// LayoutJson: the layout members of `pagehost inspect --json`: "document" (the page setup), "layers",
// "sections", "masters" and "spreads" (each with its pages and its item tree), and the members each story
// gains ("frames", "firstDamagedFrame", "overset", "anchored"), and the members plug-ins add through
// kInspectMemberService. Coordinates are points in the spread's coordinates.
#pragma once

#include <ostream>
#include <string>

#include "host/db/IDataBase.h"

namespace pagehost {

// Writes `,"document":{...},"layers":[...],"sections":[...],"masters":[...],"spreads":[...]`; nothing for a
// document without a layout. With `lines`, each text frame also gets its composed "textHeight" and "lines".
void WriteLayoutMembers(IDataBase& db, std::ostream& out, bool lines = false);
// `,"name":value` for the member of each provider of kInspectMemberService (plug-ins' own members).
void WritePlugInMembers(IDataBase& db, std::ostream& out);
// `,"frames":[...],"firstDamagedFrame":N,"overset":B,"anchored":[...]` for the story `story`. A story is
// overset when it has frames and its text runs on after the last one (composing it first when it needs
// it). Each anchored item gives its "index", "kind" (inline, above-line, custom), the "frame" and point
// "at" where composition put it (0 and null when its character is overset) and the "item" itself.
std::string StoryLayoutMembers(IDataBase& db, UID story);
// What the plug-ins add to a story's description, each member after a comma.
std::string StoryPlugInMembers(IDataBase& db, UID story);
// `v` as the layout members write numbers: the shortest text that reads back as it; null for a value JSON
// cannot hold.
std::string JsonNumber(double v);

}  // namespace pagehost
