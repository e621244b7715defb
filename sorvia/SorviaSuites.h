// Sorvia's selection suites: SorviaSuiteASB on the abstract selection forwards to the concrete suite of the
// selection in force; SorviaSuiteLayoutCSB answers for selected frames (the one story they all belong to)
// and SorviaSuiteTextCSB for a text range (its story).
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/core/Registry.h"
#include "host/db/UIDRef.h"
#include "sorvia/include/ISorviaSuite.h"

namespace sorvia {

class SorviaSuiteASB final : public CPMUnknown<ISorviaSuite> {
 public:
  explicit SorviaSuiteASB(Boss* boss) : CPMUnknown<ISorviaSuite>(boss) {}
  bool CanUseThreads() const override;
  UID GetSelectedThread() const override;
  bool IsSelectedStoryOrphan() const override;
  bool CanAssignSelectedStory() const override;
  ErrorCode AssignSelectedStory(UID thread) override;
  bool IsSelectedStoryOnMaster() const override;
  InterfacePtr<ITextThreadManager> QueryThreadManager() const override;
  bool IsSelectedStory(const IFrameList* frameList) const override;
};

// What both concrete suites do with the selected story (a frame list; none when there is no single one).
class SorviaSuiteCSB : public CPMUnknown<ISorviaSuite> {
 public:
  explicit SorviaSuiteCSB(Boss* boss) : CPMUnknown<ISorviaSuite>(boss) {}
  UID GetSelectedThread() const override;
  bool IsSelectedStoryOrphan() const override;
  bool CanAssignSelectedStory() const override;
  ErrorCode AssignSelectedStory(UID thread) override;
  bool IsSelectedStoryOnMaster() const override;
  InterfacePtr<ITextThreadManager> QueryThreadManager() const override;

 protected:
  virtual UIDRef SelectedStory() const = 0;
};

class SorviaSuiteLayoutCSB final : public SorviaSuiteCSB {
 public:
  explicit SorviaSuiteLayoutCSB(Boss* boss) : SorviaSuiteCSB(boss) {}
  bool CanUseThreads() const override { return SelectedStory().IsValid(); }
  bool IsSelectedStory(const IFrameList*) const override { return false; }

 protected:
  UIDRef SelectedStory() const override;
};

class SorviaSuiteTextCSB final : public SorviaSuiteCSB {
 public:
  explicit SorviaSuiteTextCSB(Boss* boss) : SorviaSuiteCSB(boss) {}
  bool CanUseThreads() const override { return true; }
  bool IsSelectedStory(const IFrameList* frameList) const override;

 protected:
  UIDRef SelectedStory() const override;
};

ErrorCode RegisterSorviaSuites(Registry& registry);

}  // namespace sorvia
