// MasterPageStep: applying a master page or spread to the page under an import's insertion point, and
// continuing the import on the page's thread story when the story being filled belongs to a text thread.
#pragma once

#include <cstdint>

#include "kesto/layout/TextThreadQueries.h"
#include "kesto/layout/VyDocument.h"
#include "kesto/model/XStory.h"

namespace kesto {

// Answers of ApplyMasterPage.
inline constexpr int32_t kMasterApplied = 0;
inline constexpr int32_t kMasterNoThreadFlow =
    -1;                                        // the newly mastered page offers the story's thread no frame
inline constexpr int32_t kMasterNoPage = -2;   // the insertion point is on the pasteboard or a master
inline constexpr int32_t kMasterNoFrame = -3;  // no frame at the insertion point, or the host refused

// Applies master `masterIndex` to the page of the frame holding `story`'s range start (only that page with
// `pageOnly`, else its spread), through the story's last-applied memory (see VyDocument::ApplyMaster).
// With `threads` (null: no thread plug-in) and a story in a thread, the import then moves to the thread's
// story on that page when that story is longer than the range start, at the same index.
int32_t ApplyMasterPage(XStory& story, const VyDocument& document, const TextThreadQueries* threads,
                        int32_t masterIndex, bool pageOnly, bool onlyOnChange);

}  // namespace kesto
