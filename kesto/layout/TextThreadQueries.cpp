// Reaching the text-thread manager of a document at run time, through its interface ID alone.
#include "kesto/layout/TextThreadQueries.h"

#include "host/core/InterfacePtr.h"
#include "sorvia/include/SorviaID.h"

namespace kesto {

std::unique_ptr<TextThreadQueries> LookUpTextThreads(IDataBase* db) {
  if (!db) return nullptr;
  InterfacePtr<IPMUnknown> manager(db->Instantiate(db->GetRootUID(), sorvia::IID_ITEXTTHREADMANAGER));
  if (!manager) return nullptr;
  // The thread plug-in's manager interface is not published yet: until its header is, a loaded manager
  // cannot be asked, and the step is skipped as though the plug-in were absent.
  return nullptr;
}

}  // namespace kesto
