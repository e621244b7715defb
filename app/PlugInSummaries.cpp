// The plug-ins' lines of a document's readable summary.
#include "app/PlugInSummaries.h"

#include "host/app/IInspectMemberProvider.h"
#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"

namespace pagehost {

void WritePlugInSummaries(IDataBase& db, std::ostream& out) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kInspectMemberService)) {
    InterfacePtr<IInspectMemberProvider> member = CreateObject<IInspectMemberProvider>(provider);
    if (member) out << member->GetSummaryText(db);
  }
}

}  // namespace pagehost
