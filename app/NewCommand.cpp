// pagehost new: a document from the built-in defaults, saved.
#include "app/Commands.h"
#include "app/Output.h"
#include "host/app/DocumentList.h"

namespace pagehost {

int RunNew(CommandLine& args) {
  std::string output, missing;
  while (!args.Done()) {
    if (auto o = args.TakeValue("-o", "--output", missing)) {
      output = *o;
      continue;
    }
    if (!missing.empty()) return UsageError("option " + missing + " needs a file name");
    return UsageError("new: unexpected argument '" + args.Peek() + "'");
  }
  if (output.empty()) return UsageError("new: no output file given (use -o FILE)");
  IDataBase* db = DocumentList::Get().NewDocument();
  if (!db) {
    Error("new: the default document could not be created");
    return kExitFailure;
  }
  DocumentResult saved = DocumentList::Get().SaveDocumentAs(db, output);
  if (!saved.ok()) {
    Error("new: " + saved.message);
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace pagehost
