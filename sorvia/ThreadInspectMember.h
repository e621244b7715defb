// ThreadInspectMember: the "threads" member of a document's JSON description: the default thread and the
// named threads (UID, name, stories with their frames and pages), and each story's thread and orphan flag.
#pragma once

#include "host/app/IInspectMemberProvider.h"
#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"

namespace sorvia {

class ThreadInspectMember final : public CPMUnknown<IInspectMemberProvider> {
 public:
  explicit ThreadInspectMember(Boss* boss) : CPMUnknown<IInspectMemberProvider>(boss) {}
  std::string GetMemberName() const override { return "threads"; }
  std::string GetMemberJson(IDataBase& db) const override;
  // Every story of a document with a thread list: its thread (null for none) and whether it is an orphan.
  std::string GetStoryMembersJson(IDataBase& db, UID story) const override;
  // "Threads: N", then a line per thread: its UID, name and stories (with their frame counts).
  std::string GetSummaryText(IDataBase& db) const override;
};

ErrorCode RegisterThreadInspectMember(Registry& registry);

}  // namespace sorvia
