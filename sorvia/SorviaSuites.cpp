// The selection suites.
#include "sorvia/SorviaSuites.h"

#include "host/layout/LayoutUtils.h"
#include "host/ui/Selection.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"

namespace sorvia {
namespace {

std::vector<InterfacePtr<ISorviaSuite>> ConcreteSuites() {
  std::vector<InterfacePtr<ISorviaSuite>> suites;
  for (auto& suite : Selection::Get().QueryConcreteSuites(IID_ISORVIASUITE))
    suites.emplace_back(suite, UseDefaultIID());
  return suites;
}

// The concrete suite the abstract one forwards to: only when there is exactly one.
InterfacePtr<ISorviaSuite> OnlySuite() {
  auto suites = ConcreteSuites();
  return suites.size() == 1 ? suites[0] : InterfacePtr<ISorviaSuite>();
}

template <class Ask>
bool AllSuites(Ask ask) {
  for (auto& suite : ConcreteSuites()) {
    if (!ask(*suite)) return false;
  }
  return true;
}

}  // namespace

bool SorviaSuiteASB::CanUseThreads() const {
  auto suite = OnlySuite();
  return suite && suite->CanUseThreads();
}

UID SorviaSuiteASB::GetSelectedThread() const {
  auto suite = OnlySuite();
  return suite ? suite->GetSelectedThread() : kInvalidUID;
}

bool SorviaSuiteASB::IsSelectedStoryOrphan() const {
  auto suite = OnlySuite();
  return suite && suite->IsSelectedStoryOrphan();
}

bool SorviaSuiteASB::CanAssignSelectedStory() const {
  auto suite = OnlySuite();
  return suite && suite->CanAssignSelectedStory();
}

ErrorCode SorviaSuiteASB::AssignSelectedStory(UID thread) {
  auto suite = OnlySuite();
  return suite ? suite->AssignSelectedStory(thread) : kFailure;
}

bool SorviaSuiteASB::IsSelectedStoryOnMaster() const {
  return AllSuites([](ISorviaSuite& s) { return s.IsSelectedStoryOnMaster(); });
}

InterfacePtr<ITextThreadManager> SorviaSuiteASB::QueryThreadManager() const {
  auto suite = OnlySuite();
  return suite ? suite->QueryThreadManager() : InterfacePtr<ITextThreadManager>();
}

bool SorviaSuiteASB::IsSelectedStory(const IFrameList* frameList) const {
  return AllSuites([&](ISorviaSuite& s) { return s.IsSelectedStory(frameList); });
}

UID SorviaSuiteCSB::GetSelectedThread() const {
  UIDRef story = SelectedStory();
  return ThreadQueries::ThreadOfStory(story.GetDataBase(), story.GetUID());
}

bool SorviaSuiteCSB::IsSelectedStoryOrphan() const {
  UIDRef story = SelectedStory();
  return ThreadQueries::IsOrphanStory(story.GetDataBase(), story.GetUID());
}

// Our host has no selection state under which thread assignment is refused.
bool SorviaSuiteCSB::CanAssignSelectedStory() const {
  UIDRef story = SelectedStory();
  return story.IsValid() && CanAssignMasterStory(story.GetDataBase(), story.GetUID());
}

ErrorCode SorviaSuiteCSB::AssignSelectedStory(UID thread) {
  UIDRef story = SelectedStory();
  return story.IsValid() ? AssignMasterStory(story.GetDataBase(), story.GetUID(), thread, false) : kFailure;
}

bool SorviaSuiteCSB::IsSelectedStoryOnMaster() const {
  UIDRef story = SelectedStory();
  IDataBase* db = story.GetDataBase();
  return story.IsValid() &&
         ThreadQueries::IsOnMasterSpread(db, ThreadQueries::FirstFrame(db, story.GetUID()));
}

InterfacePtr<ITextThreadManager> SorviaSuiteCSB::QueryThreadManager() const {
  const Selection& selection = Selection::Get();
  IDataBase* db =
      selection.HasTextTarget() ? selection.GetStory().GetDataBase() : selection.GetItems().GetDataBase();
  return sorvia::QueryThreadManager(db);
}

// The story of every selected frame, compared from the last backwards; none when two differ.
UIDRef SorviaSuiteLayoutCSB::SelectedStory() const {
  const UIDList& items = Selection::Get().GetItems();
  IDataBase* db = items.GetDataBase();
  if (items.empty()) return {};
  UID story = ThreadQueries::StoryOfItem(db, items[items.size() - 1]);
  for (size_t i = items.size(); i-- > 0;) {
    if (ThreadQueries::StoryOfItem(db, items[i]) != story) return {};
  }
  return story.IsValid() ? UIDRef(db, story) : UIDRef();
}

UIDRef SorviaSuiteTextCSB::SelectedStory() const {
  const UIDRef& story = Selection::Get().GetStory();
  UID frameList = LayoutUtils::FrameListOfStory(story.GetDataBase(), story.GetUID());
  return frameList.IsValid() ? UIDRef(story.GetDataBase(), frameList) : UIDRef();
}

bool SorviaSuiteTextCSB::IsSelectedStory(const IFrameList* frameList) const {
  return frameList && SelectedStory() == UIDRef::Of(frameList);
}

ErrorCode RegisterSorviaSuites(Registry& registry) {
  if (registry.IsImplementationRegistered(kSorviaSuiteASBImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<SorviaSuiteASB>(kSorviaSuiteASBImpl);
  if (error == kSuccess)
    error = registry.RegisterImplementation<SorviaSuiteLayoutCSB>(kSorviaSuiteLayoutCSBImpl);
  if (error == kSuccess) error = registry.RegisterImplementation<SorviaSuiteTextCSB>(kSorviaSuiteTextCSBImpl);
  if (error == kSuccess)
    error = registry.AddIn(kAbstractSelectionBoss, {{IID_ISORVIASUITE, kSorviaSuiteASBImpl}});
  if (error == kSuccess)
    error = registry.AddIn(kLayoutSelectionBoss, {{IID_ISORVIASUITE, kSorviaSuiteLayoutCSBImpl}});
  if (error == kSuccess)
    error = registry.AddIn(kTextSelectionBoss, {{IID_ISORVIASUITE, kSorviaSuiteTextCSBImpl}});
  return error;
}

}  // namespace sorvia
