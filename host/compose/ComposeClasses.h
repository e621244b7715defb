// The compose area's start-up, and the host's idle step.
#pragma once

#include "host/db/IDataBase.h"

// Registers the story results, the document observer and the recompose command; called once from the host's
// start-up, after the layout area. Documents then get their observer through AttachComposer.
// kIDClashError at the first ID already taken (the rest of the area is then not registered).
[[nodiscard]] ErrorCode RegisterComposeClasses();
void AttachComposer(IDataBase& db);

namespace ComposeUtils {

// The idle step: runs scheduled commands and composes damaged stories (unless the document suspends layout
// updating) until nothing is left, at most kMaxIdleRounds rounds. Answers the first command error.
inline constexpr int kMaxIdleRounds = 100;
ErrorCode RunIdleStep(IDataBase* db);
// Composes every story that needs it, running no scheduled command (for looking at a document).
void ComposeAll(IDataBase* db);

}  // namespace ComposeUtils
