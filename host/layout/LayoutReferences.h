// LayoutReferences: the pages, spreads, masters, items and stories a user names in layout operations, found
// in a document. Every front end and every plug-in's operation reads references the same way:
// - pages by number from 1, master pages as MASTER:N (MASTER by prefix or full name);
// - spreads by number from 1; masters by prefix or full name, or none (no master);
// - items by UID or as label:NAME, which must name one item (after an override the master item and its local
//   copy share their label: the user then chooses by UID);
// - stories as story:UID, or as a text frame that shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/db/IDataBase.h"

// What a reference names, or why it names nothing: a `usage` problem when the text is not a reference at all
// (a page that is no number), a plain problem when it is one but names nothing in this document.
struct LayoutReference {
  UID uid = kInvalidUID;
  std::string problem;
  bool usage = false;
  bool ok() const { return problem.empty(); }
};

namespace LayoutReferences {

LayoutReference Page(IDataBase* db, std::string_view ref);
LayoutReference Spread(IDataBase* db, std::string_view ref);
// "none" answers kInvalidUID without a problem.
LayoutReference Master(IDataBase* db, std::string_view ref);
LayoutReference Item(IDataBase* db, std::string_view ref);
LayoutReference Story(IDataBase* db, std::string_view ref);

}  // namespace LayoutReferences
