// TextThreadManager: the document's ITextThreadManager. Not saved: it keeps only the threads waiting for
// pages to be added.
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/db/IDataBase.h"
#include "sorvia/include/ITextThreadManager.h"

namespace sorvia {

class TextThreadManager final : public CPMUnknown<ITextThreadManager> {
 public:
  explicit TextThreadManager(Boss* boss) : CPMUnknown<ITextThreadManager>(boss) {}
  void GetThreadFramesOnPage(UID page, std::vector<UID>& out, UID thread) const override;
  bool PageHasThreadFrame(UID page, UID thread) const override;
  UID FindThreadStoryOnPage(UID page, UID thread) const override;
  UID GetStoryOfItem(UID item) const override;
  UID Identity(UID uid) const override { return uid; }
  bool HasStory(UID item) const override { return GetStoryOfItem(item).IsValid(); }
  UID GetThreadOfFrameList(const IFrameList* frameList) const override;
  UID GetThreadOfTextFrame(const ITextFrame* frame) const override;
  UID GetThreadOfItem(UID item) const override;
  UID GetDefaultThread() override;
  ErrorCode RecomposeStory(UID frameList) override;
  bool IsOrphanFrame(const ITextFrame* frame) const override;
  bool IsOrphanItem(UID item) const override;
  void SetThreadPending(UID thread, bool pending) override;
  bool IsThreadPending(UID thread) const override;
  void CollectThreadsOnPage(std::vector<UID>& out, UID page) const override;

 private:
  IDataBase* DataBase() const { return ::GetDataBase(this); }
  std::vector<UID> pendingThreads_;
};

// Registers the implementation and adds it to the document class.
ErrorCode RegisterTextThreadManager(Registry& registry);

}  // namespace sorvia
