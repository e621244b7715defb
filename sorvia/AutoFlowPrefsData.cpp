// The automatic-flow preferences and their persistence.
#include "sorvia/AutoFlowPrefsData.h"

#include "host/app/DocumentList.h"
#include "host/app/ISession.h"
#include "host/core/HostIDs.h"
#include "host/db/IDocument.h"
#include "host/db/IPMStream.h"

namespace sorvia {

void AutoFlowPrefsData::CopyFrom(const IAutoFlowPrefsData* other) {
  if (!other) return;
  if (!WillChange()) return;
  createMasterFrames_ = other->GetCreateMasterFrames();
  addPagesMode_ = other->GetAddPagesMode();
  reserved1_ = other->GetReserved1();
  reserved2_ = other->StoredReserved2();
  reserved3_ = other->StoredReserved3();
  reserved4_ = other->GetReserved4();
}

void PersistAutoFlowPrefsData::ReadWrite(IPMStream* stream, ImplementationID) {
  stream->XferBool(createMasterFrames_);
  stream->XferInt16(addPagesMode_);
  stream->XferInt16(reserved1_);
  stream->XferBool(reserved2_);
  stream->XferBool(reserved3_);
  stream->XferBool(reserved4_);
}

namespace {

// A new document starts with the application's preferences.
void CopyApplicationPrefs(IDataBase& db, UID document) {
  auto doc = Instantiate<IDocument>(&db, document);
  auto target =
      doc ? Instantiate<IAutoFlowPrefsData>(&db, doc->GetDocWorkSpace()) : InterfacePtr<IAutoFlowPrefsData>();
  auto application = QueryApplicationWorkspace<IAutoFlowPrefsData>();
  if (target && application) target->CopyFrom(application.get());
}

}  // namespace

ErrorCode RegisterAutoFlowPrefsData(Registry& registry) {
  if (registry.IsImplementationRegistered(kPersistAutoFlowPrefsDataImpl)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<AutoFlowPrefsData>(kAutoFlowPrefsDataImpl);
  if (error == kSuccess)
    error = registry.RegisterImplementation<PersistAutoFlowPrefsData>(kPersistAutoFlowPrefsDataImpl, true);
  for (ClassID workspace : {kWorkspaceBoss, kDocWorkspaceBoss}) {
    if (error == kSuccess)
      error = registry.AddIn(workspace, {{IID_IAUTOFLOWPREFSDATA, kPersistAutoFlowPrefsDataImpl}});
  }
  if (error == kSuccess) DocumentList::Get().AddInitializer(CopyApplicationPrefs);
  return error;
}

}  // namespace sorvia
