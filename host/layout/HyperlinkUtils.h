// HyperlinkUtils: finding hyperlinks, destinations and text anchors, where an anchor stands, running the
// hyperlink commands in one call, and the edits that keep hyperlink sources and plug-in data with their
// text and items.
#pragma once

#include <vector>

#include "host/core/InterfacePtr.h"
#include "host/db/IDataBase.h"
#include "host/db/UIDRef.h"
#include "host/layout/IHyperlinkCmdData.h"
#include "host/layout/IHyperlinkTable.h"
#include "host/layout/ITextAnchor.h"

namespace HyperlinkUtils {

// The document's table; empty for a database without one.
InterfacePtr<IHyperlinkTable> QueryTable(const IDataBase* db);
// The text anchor named `name`; kInvalidUID when there is none.
UID FindTextAnchor(const IDataBase* db, const WideString& name);
// The index of the anchor's character in its story; -1 when its character is gone (deleted with its text).
int32_t TextAnchorPosition(const IDataBase* db, UID anchor);
// The index among the document's pages of a page destination's page; -1 for other destinations or a page
// that is gone.
int32_t DestinationPageIndex(const IDataBase* db, const HyperlinkDestination& destination);
// Whether `source` names something that exists: a text range inside its story, a page item, a text anchor.
bool IsSourceValid(const IDataBase* db, const HyperlinkSource& source);
// The hyperlink whose source is `item`, or whose text source in `story` ends at `end`; nullptr if none.
const Hyperlink* HyperlinkOfItem(const IHyperlinkTable& table, UID item);
const Hyperlink* HyperlinkEndingAt(const IHyperlinkTable& table, UID story, int32_t end);

// Runs the command `cls` on `items` with `params`; `result` receives its item list afterwards.
ErrorCode Process(ClassID cls, IDataBase* db, const std::vector<UID>& items, const HyperlinkParams& params,
                  std::vector<UID>* result = nullptr);

// Within a command: moves the text sources of `story` with a text edit (`deleted` units at `position`
// replaced by `inserted`).
void FollowTextEdit(IDataBase* db, UID story, int32_t position, int32_t deleted, int32_t inserted);
// Within a command: deletes the hyperlinks whose source is one of `gone` (items or stories being deleted).
void DropSourcesIn(IDataBase* db, const std::vector<UID>& gone);
// Within a command: takes the text anchors out of [start, end) of `story`, text just copied from another
// story: an anchor is one place, so a copy of its character carries no anchor.
ErrorCode DropCopiedAnchors(const UIDRef& story, int32_t start, int32_t end);
// Within a command: gives `copy` the plug-in data of `original`.
void CopyPlugInData(IDataBase* db, UID original, UID copy);

}  // namespace HyperlinkUtils
