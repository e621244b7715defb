// ITextThreadManager (on the document): what the engine asks about threads and pages: which threads a page
// shows, which frames of a thread lie on a page and in what order, which story carries a thread on a page,
// which thread an item belongs to, and the document's default thread. Queries answer nothing (kInvalidUID,
// false, an empty list) for missing objects; pages and items are UIDs of the manager's document.
#pragma once

#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/layout/ITextFrame.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

class ITextThreadManager : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ITEXTTHREADMANAGER.Get() };
  // The page's leaf items of `thread` (kInvalidUID: of any thread), grouped by story in the order of each
  // story's first frame in the page's item list, each story's frames in flow order.
  virtual void GetThreadFramesOnPage(UID page, std::vector<UID>& out, UID thread) const = 0;
  virtual bool PageHasThreadFrame(UID page, UID thread) const = 0;
  // The frame list of the first story in the page's item order that carries `thread` and is no orphan.
  virtual UID FindThreadStoryOnPage(UID page, UID thread) const = 0;
  // The frame list of a page item's story.
  virtual UID GetStoryOfItem(UID item) const = 0;
  virtual UID Identity(UID uid) const = 0;
  virtual bool HasStory(UID item) const = 0;
  virtual UID GetThreadOfFrameList(const IFrameList* frameList) const = 0;
  virtual UID GetThreadOfTextFrame(const ITextFrame* frame) const = 0;
  virtual UID GetThreadOfItem(UID item) const = 0;
  // Makes the default thread (a command) the first time it is asked for; kInvalidUID when that fails.
  virtual UID GetDefaultThread() = 0;
  // Composes the story of `frameList` (a command); answers the command's result.
  virtual ErrorCode RecomposeStory(UID frameList) = 0;
  virtual bool IsOrphanFrame(const ITextFrame* frame) const = 0;
  virtual bool IsOrphanItem(UID item) const = 0;
  // Threads with an overset story waiting for pages to be added; not saved.
  virtual void SetThreadPending(UID thread, bool pending) = 0;
  virtual bool IsThreadPending(UID thread) const = 0;
  // Appends each thread with a frame on the page that `out` lacks, in the page's item order back to front.
  virtual void CollectThreadsOnPage(std::vector<UID>& out, UID page) const = 0;
};

}  // namespace sorvia
