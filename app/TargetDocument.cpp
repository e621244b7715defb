// Opening the document a command works on.
#include "app/TargetDocument.h"

#include "app/InputCheck.h"
#include "app/Output.h"
#include "host/app/DocumentList.h"

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

}  // namespace pagehost
