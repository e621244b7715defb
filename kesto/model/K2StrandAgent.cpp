// Loading a strand's attributes at an index.
#include "kesto/model/K2StrandAgent.h"

namespace kesto {

void K2StrandAgent::Load(int32_t index) {
  if (!story_) return;
  TextRun run = story_->GetRunAt(strand_, index);
  SetStyle(run.style);
  *GetOverridesForWrite() = *run.overrides;
}

}  // namespace kesto
