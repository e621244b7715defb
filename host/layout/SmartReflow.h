// SmartReflow: the host's questions to the smart-reflow providers (ISmartReflowService); each answers
// true when no provider objects.
#pragma once

#include "host/db/IDataBase.h"

namespace SmartReflow {

bool MayAddPagesForStory(const IDataBase* db, UID frameList);
bool MayRemovePagesOfStory(const IDataBase* db, UID frameList);
bool MayReflowDocument(const IDataBase* db);
bool MayAddSpreads(const IDataBase* db);
bool MayRemoveEmptyPages(const IDataBase* db);

}  // namespace SmartReflow
