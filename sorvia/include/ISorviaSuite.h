// ISorviaSuite: what the UI asks about the thread of the selected story, and assigning that story to a
// thread, whether the selection is frames or a text range. Answers false, kInvalidUID or nothing when there
// is no single selected story.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/layout/ITextFrame.h"
#include "sorvia/include/ITextThreadManager.h"

namespace sorvia {

class ISorviaSuite : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISORVIASUITE.Get() };
  virtual bool CanUseThreads() const = 0;
  virtual UID GetSelectedThread() const = 0;
  virtual bool IsSelectedStoryOrphan() const = 0;
  virtual bool CanAssignSelectedStory() const = 0;
  // Answers the commands' error, or kFailure without a single story.
  virtual ErrorCode AssignSelectedStory(UID thread) = 0;
  virtual bool IsSelectedStoryOnMaster() const = 0;
  virtual InterfacePtr<ITextThreadManager> QueryThreadManager() const = 0;
  virtual bool IsSelectedStory(const IFrameList* frameList) const = 0;
};

}  // namespace sorvia
