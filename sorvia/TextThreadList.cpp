// The document's list of threads.
#include "sorvia/TextThreadList.h"

#include <algorithm>

#include "host/core/HostIDs.h"
#include "host/db/IDataBase.h"
#include "host/db/IPMStream.h"
#include "host/layout/LayoutUtils.h"

namespace sorvia {

int32_t PersistTextThreadList::FindThreadByName(const WideString& name) const {
  if (name.empty() || !::GetDataBase(this)) return -1;
  for (int32_t i = GetThreadCount() - 1; i >= 0; --i) {
    InterfacePtr<ITextThreadData> thread = QueryNthThread(i);
    if (thread && LayoutUtils::SameIgnoringCase(thread->GetName(), name)) return i;
  }
  return -1;
}

int32_t PersistTextThreadList::IndexOfThread(UID uid) const {
  auto it = std::find(threads_.begin(), threads_.end(), uid);
  return it == threads_.end() ? -1 : static_cast<int32_t>(it - threads_.begin());
}

UID PersistTextThreadList::GetNthThread(int32_t index) const {
  return index < 0 || index >= GetThreadCount() ? kInvalidUID : threads_[static_cast<size_t>(index)];
}

InterfacePtr<ITextThreadData> PersistTextThreadList::QueryNthThread(int32_t index) const {
  UID uid = GetNthThread(index);
  return uid.IsValid() ? Instantiate<ITextThreadData>(::GetDataBase(this), uid)
                       : InterfacePtr<ITextThreadData>();
}

void PersistTextThreadList::AddThread(UID uid) {
  if (IndexOfThread(uid) >= 0) return;
  if (PreDirty() != kSuccess) return;
  threads_.push_back(uid);
}

void PersistTextThreadList::RemoveThread(UID uid) {
  auto it = std::find(threads_.begin(), threads_.end(), uid);
  if (it == threads_.end()) return;
  if (PreDirty() != kSuccess) return;
  threads_.erase(it);
}

void PersistTextThreadList::SetDefaultThread(UID uid) {
  if (uid == defaultThread_) return;
  if (PreDirty() != kSuccess) return;
  defaultThread_ = uid;
}

void PersistTextThreadList::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferReference(defaultThread_);
  auto count = static_cast<int32_t>(threads_.size());
  stream->XferInt32(count);
  if (stream->IsWriting()) {
    for (UID& uid : threads_)
      stream->XferReference(uid);
    return;
  }
  threads_.clear();
  // A count is trusted no further than the bytes that follow, four for each entry.
  int64_t left = stream->Remaining();
  if (count <= 0 || !stream->IsGood()) return;
  if (left >= 0 && static_cast<int64_t>(count) * 4 > left) return stream->MarkDamaged("a thread list");
  threads_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count && stream->IsGood(); ++i) {
    UID uid;
    stream->XferReference(uid);
    threads_.push_back(uid);
  }
}

ErrorCode RegisterTextThreadList(Registry& registry) {
  if (registry.IsImplementationRegistered(kPersistTextThreadListImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<PersistTextThreadList>(kPersistTextThreadListImpl, true);
  if (error == kSuccess)
    error = registry.AddIn(kDocWorkspaceBoss, {{IID_ITEXTTHREADLIST, kPersistTextThreadListImpl}});
  return error;
}

}  // namespace sorvia
