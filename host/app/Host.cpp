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

void RegisterHostClasses() {
  Registry& r = Registry::Get();
  RegisterValueDataImplementations();
  RegisterCommandImplementations();
  RegisterResClasses();
  RegisterTextClasses();
  RegisterLayoutClasses();
  RegisterComposeClasses();
  RegisterSelectionClasses();
  (void)RegisterHostTaggedTextImportProvider();
  (void)RegisterItemLookOperations();
  (void)RegisterHyperlinkOperations();
  RegisterPictureLayoutOperations();
  (void)r.RegisterImplementation<Subject>(kSubjectImpl);
  (void)r.RegisterImplementation<Document>(kDocumentImpl, true);
  (void)r.RegisterImplementation<Session>(kSessionImpl);
  (void)r.RegisterClass(kSessionBoss, kInvalidClass, "kSessionBoss", {{IID_ISESSION, kSessionImpl}});
  (void)r.RegisterClass(kWorkspaceBoss, kInvalidClass, "kWorkspaceBoss", {{IID_ISUBJECT, kSubjectImpl}});
  (void)r.RegisterClass(kDocWorkspaceBoss, kInvalidClass, "kDocWorkspaceBoss",
                        {{IID_ISUBJECT, kSubjectImpl}});
  (void)r.RegisterClass(kUtilsBoss, kInvalidClass, "kUtilsBoss", {});
  (void)r.RegisterClass(kDocBoss, kInvalidClass, "kDocBoss",
                        {{IID_IDOCUMENT, kDocumentImpl}, {IID_ISUBJECT, kSubjectImpl}});
}

}  // namespace

ISession* GetExecutionContextSession() {
  if (!sessionBoss) return nullptr;
  // The session object holds itself; the interface is not counted for the caller.
  InterfacePtr<ISession> session(static_cast<ISession*>(sessionBoss->QueryInterface(IID_ISESSION)));
  return session.get();
}

namespace Host {

void Initialize() {
  if (!registered) {
    RegisterHostClasses();
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
