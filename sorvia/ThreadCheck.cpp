// The open-time check of thread data.
#include "sorvia/ThreadCheck.h"

#include <unordered_set>

#include "host/app/DocumentList.h"
#include "sorvia/ThreadFunctions.h"

namespace sorvia::ThreadCheck {
namespace {

bool IsThread(const IDataBase& db, UID uid) {
  return db.IsValidUID(uid) && db.GetClass(uid) == kTextThreadBoss;
}

}  // namespace

std::string FindFault(IDataBase& db) {
  auto list = QueryThreadList(&db);
  if (!list) return {};
  UID fallback = list->GetDefaultThread();
  if (fallback.IsValid() && !IsThread(db, fallback))
    return "the default thread " + std::to_string(fallback.Get()) + " is no thread";
  std::unordered_set<UID> seen;
  for (int32_t i = 0; i < list->GetThreadCount(); ++i) {
    UID thread = list->GetNthThread(i);
    if (!IsThread(db, thread)) return "listed thread " + std::to_string(thread.Get()) + " is no thread";
    if (thread == fallback || !seen.insert(thread).second)
      return "thread " + std::to_string(thread.Get()) + " is listed twice";
  }
  return {};
}

void AddToOpenChecks() {
  static const bool added = [] {
    DocumentList::Get().AddOpenStep(FindFault);
    return true;
  }();
  (void)added;
}

}  // namespace sorvia::ThreadCheck
