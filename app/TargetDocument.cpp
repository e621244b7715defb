// Opening the document a command works on.
#include "app/TargetDocument.h"

#include "app/InputCheck.h"
#include "app/Output.h"
#include "host/app/DocumentList.h"
#include "host/compose/ComposeClasses.h"

namespace pagehost {

IDataBase* OpenTargetDocument(const std::string& file, const std::string& command) {
  IDataBase* db = nullptr;
  if (file.empty()) {
    db = DocumentList::Get().NewDocument();
    if (!db) Error(command + ": the default document could not be created");
    return db;
  }
  if (std::string problem = WhyUnreadable(file); !problem.empty()) {
    Error(command + ": " + problem);
    return nullptr;
  }
  if (DocumentResult opened = DocumentList::Get().OpenDocument(file, db); !opened.ok()) {
    Error(command + ": " + opened.message);
    return nullptr;
  }
  return db;
}

bool SaveTargetDocument(IDataBase* db, const std::string& file, const std::string& command) {
  if (ErrorCode idle = ComposeUtils::RunIdleStep(db); idle != kSuccess)
    Warning(command + ": a scheduled command failed (host error " +
            std::to_string(static_cast<int32_t>(idle)) + ")");
  DocumentResult saved = DocumentList::Get().SaveDocumentAs(db, file);
  if (!saved.ok()) Error(command + ": " + saved.message);
  return saved.ok();
}

}  // namespace pagehost
