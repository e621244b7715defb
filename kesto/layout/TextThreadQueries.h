// TextThreadQueries: what the builder asks of the text threads of a document after a master page is
// applied. The threads belong to another plug-in, which Kesto never links against: the queries are
// reached through the document's text-thread manager when that plug-in is loaded, and are absent (null)
// otherwise, so that the thread step is skipped.
#pragma once

#include <memory>

#include "host/db/IDataBase.h"

namespace kesto {

class TextThreadQueries {
 public:
  virtual ~TextThreadQueries() = default;
  // The thread of the story `story`; kInvalidUID for a story in none.
  virtual UID ThreadOfStory(UID story) const = 0;
  // Whether the text frame `frame` is an orphan of its thread (left on a page whose master lost it).
  virtual bool IsOrphanFrame(UID frame) const = 0;
  // The story of the first non-orphan frame list of `thread` on `page`; kInvalidUID when none.
  virtual UID ThreadStoryOnPage(UID page, UID thread) const = 0;
};

// The queries of the document's text-thread manager; null when the document offers none.
std::unique_ptr<TextThreadQueries> LookUpTextThreads(IDataBase* db);

}  // namespace kesto
