// Registration of the compose area, and the idle step.
#include "host/compose/ComposeClasses.h"

#include "host/cmd/CmdUtils.h"
#include "host/compose/ComposeIDs.h"
#include "host/compose/ComposeObserver.h"
#include "host/compose/RecomposeCmd.h"
#include "host/compose/StoryComposer.h"
#include "host/compose/StoryComposition.h"
#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/layout/IPageSetup.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"
#include "host/text/TextIDs.h"

ErrorCode RegisterComposeClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = r.RegisterImplementation<StoryComposition>(kStoryCompositionImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ComposeObserver>(kComposeObserverImpl);
  if (error == kSuccess) error = r.AddIn(kTextStoryBoss, {{IID_ISTORYCOMPOSITION, kStoryCompositionImpl}});
  if (error == kSuccess) error = r.AddIn(kDocBoss, {{IID_ICOMPOSEOBSERVER, kComposeObserverImpl}});
  if (error == kSuccess) error = r.RegisterImplementation<RecomposeCmd>(kRecomposeCmdImpl);
  if (error == kSuccess)
    error = r.RegisterClass(kRecomposeCmdBoss, kInvalidClass, "kRecomposeCmdBoss",
                            {{IID_ICOMMAND, kRecomposeCmdImpl}});
  return error;
}

void AttachComposer(IDataBase& db) {
  ComposeObserver::AttachTo(db);
}

namespace ComposeUtils {

namespace {

// Composes each story that needs it; answers whether any did.
bool ComposeDamaged(IDataBase* db) {
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  bool any = false;
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    if (!StoryComposer::NeedsComposition(db, story)) continue;
    (void)StoryComposer::ComposeStory(db, story);
    any = true;
  }
  return any;
}

}  // namespace

ErrorCode RunIdleStep(IDataBase* db) {
  if (!db) return kInvalidParameterError;
  ErrorCode first = kSuccess;
  for (int round = 0; round < kMaxIdleRounds; ++round) {
    ErrorCode result = CmdUtils::ProcessScheduledCmds();
    if (first == kSuccess) first = result;
    auto setup = LayoutUtils::QueryPageSetup(db);
    bool suspended = setup && setup->IsLayoutSuspended();
    bool composed = !suspended && ComposeDamaged(db);
    if (!composed && CmdUtils::CountScheduledCmds() == 0) break;
  }
  return first;
}

void ComposeAll(IDataBase* db) {
  auto stories = db ? Instantiate<IStoryList>(db, db->GetRootUID()) : InterfacePtr<IStoryList>();
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    if (StoryComposer::NeedsComposition(db, story)) (void)StoryComposer::ComposeFully(db, story);
  }
}

}  // namespace ComposeUtils
