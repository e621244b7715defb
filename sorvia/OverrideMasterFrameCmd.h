// Overriding master thread frames onto document pages and linking the local copies into their threads'
// stories: OverrideThreadMasters chooses what to override, OverrideMasterFrameCmd does it.
#pragma once

#include <vector>

#include "host/cmd/Command.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia {

// The master items to override, each with its page (the command's parameter).
class IOverrideFramesData : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IOVERRIDEFRAMESDATA.Get() };
  struct Entry {
    UID masterItem;
    UID page;
  };
  std::vector<Entry> entries;
};

// Item list: the document. Parameters: the entries (IOverrideFramesData), the story to continue (the
// host's UID parameter, a frame list; none: none) and the previous page (IPreviousPageData). Overrides the
// entries front-most first, links each local thread frame into its thread's story on the page (the link
// rule: see LinkThreadStory), and recomposes the stories it linked into. Does nothing without entries.
class OverrideMasterFrameCmd final : public Command {
 public:
  explicit OverrideMasterFrameCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override;
  std::string CreateName() const override { return "A672f"; }
};

// Queues the master thread frames that `pages` (document pages) show and do not override yet, and runs
// (or, with `schedule`, schedules) one OverrideMasterFrameCmd for them with `story` and `previousPage`.
// kSuccess when there is nothing to override.
ErrorCode OverrideThreadMasters(IDataBase* db, const std::vector<UID>& pages, bool schedule, UID story,
                                UID previousPage);

ErrorCode RegisterOverrideMasterFrameCmd(Registry& registry);

}  // namespace sorvia
