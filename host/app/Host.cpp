// Host start-up: the host's classes and implementations, then the session.
#include "host/app/Host.h"

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/HostTaggedTextImportProvider.h"
#include "host/app/HyperlinkOperations.h"
#include "host/app/ItemLookOperations.h"
#include "host/app/PictureLayoutOperations.h"
#include "host/app/Session.h"
#include "host/app/Workspace.h"
#include "host/cmd/CommandProcessor.h"
#include "host/compose/ComposeClasses.h"
#include "host/core/BossRef.h"
#include "host/core/Registry.h"
#include "host/db/Document.h"
#include "host/db/ValueData.h"
#include "host/layout/LayoutClasses.h"
#include "host/notify/Subject.h"
#include "host/res/ResRegistration.h"
#include "host/text/TextClasses.h"
#include "host/ui/Selection.h"

namespace {

BossRef sessionBoss;
bool registered = false;
ErrorCode registration = kSuccess;

ErrorCode RegisterHostClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = RegisterValueDataImplementations();
  if (error == kSuccess) error = RegisterCommandImplementations();
  if (error == kSuccess) error = RegisterResClasses();
  if (error == kSuccess) error = RegisterTextClasses();
  if (error == kSuccess) error = RegisterLayoutClasses();
  if (error == kSuccess) error = RegisterComposeClasses();
  if (error == kSuccess) error = RegisterSelectionClasses();
  if (error == kSuccess) error = RegisterHostTaggedTextImportProvider();
  if (error == kSuccess) error = RegisterItemLookOperations();
  if (error == kSuccess) error = RegisterHyperlinkOperations();
  if (error == kSuccess) error = RegisterPictureLayoutOperations();
  if (error == kSuccess) error = r.RegisterImplementation<Subject>(kSubjectImpl);
  if (error == kSuccess) error = r.RegisterImplementation<Document>(kDocumentImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<Session>(kSessionImpl);
  if (error == kSuccess)
    error = r.RegisterClass(kSessionBoss, kInvalidClass, "kSessionBoss", {{IID_ISESSION, kSessionImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kWorkspaceBoss, kInvalidClass, "kWorkspaceBoss", {{IID_ISUBJECT, kSubjectImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kDocWorkspaceBoss, kInvalidClass, "kDocWorkspaceBoss",
                            {{IID_ISUBJECT, kSubjectImpl}});
  if (error == kSuccess) error = r.RegisterClass(kUtilsBoss, kInvalidClass, "kUtilsBoss", {});
  if (error == kSuccess)
    error = r.RegisterClass(kDocBoss, kInvalidClass, "kDocBoss",
                            {{IID_IDOCUMENT, kDocumentImpl}, {IID_ISUBJECT, kSubjectImpl}});
  return error;
}

}  // namespace

ISession* GetExecutionContextSession() {
  if (!sessionBoss) return nullptr;
  // The session object holds itself; the interface is not counted for the caller.
  InterfacePtr<ISession> session(static_cast<ISession*>(sessionBoss->QueryInterface(IID_ISESSION)));
  return session.get();
}

namespace Host {

ErrorCode Initialize() {
  if (!registered) {
    registration = RegisterHostClasses();
    DocumentList::Get().AddInitializer(InitializeTextDocument);
    DocumentList::Get().AddInitializer(InitializeDocumentResources);
    DocumentList::Get().AddInitializer(DefaultDocument::AddDefaultContent);
    DocumentList::Get().AddInitializer([](IDataBase& db, UID) { AttachComposer(db); });
    DocumentList::Get().AddAfterNewStep(DefaultDocument::AnnounceNewDocument);
    DocumentList::Get().AddOpenStep(DefaultDocument::CompleteOpenedDocument);
    DocumentList::Get().AddOpenStep([](IDataBase& db) {
      AttachComposer(db);
      return std::string();
    });
    registered = true;
  }
  if (!sessionBoss) sessionBoss = BossRef(Boss::Create(kSessionBoss));
  return registration;
}

PlugInLoadReport LoadPlugIns(const std::filesystem::path& folder) {
  PlugInLoadReport report = PlugInLoader::LoadFolder(folder);
  // The workspace and the selection's suites made so far lack the parts the plug-ins add to them.
  Workspace::Renew();
  Selection::Get().Reset();
  return report;
}

void Shutdown() {
  Selection::Get().Reset();
  DocumentList::Get().CloseAll();
  sessionBoss.reset();
}

}  // namespace Host
