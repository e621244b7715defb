// pagehost links: the files a document's pictures are linked to, with their states now.
#include <cstdio>

#include "app/Commands.h"
#include "app/InputCheck.h"
#include "app/Output.h"
#include "app/PictureJson.h"
#include "host/app/DocumentList.h"
#include "host/layout/PictureUtils.h"

namespace pagehost {
namespace {

void PrintLinksHelp() {
  std::printf(
      "Usage: pagehost links DOC [--json]\n"
      "\n"
      "Lists the files the pictures of DOC are linked to, one line each: the state (normal, modified:\n"
      "changed since it was placed or updated, missing), the file type, the items linked to it, and the\n"
      "file's path (or URI). With --json: a JSON object whose \"links\" give each link's uid, uri, path,\n"
      "type, size, modified (nanoseconds since 1970), state and items.\n"
      "\n"
      "Exit status: 0 on success, 1 when DOC cannot be read as a document, 2 for a command-line error.\n");
}

void PrintLinks(IDataBase& db) {
  for (const PictureUtils::LinkUse& use : PictureUtils::LinksInUse(&db)) {
    std::string items;
    for (UID image : use.images)
      items += (items.empty() ? "" : ",") + std::to_string(image.Get());
    std::string path = PictureUtils::PathOfUri(use.data.uri).string();
    std::printf("%-9s %-5s %-12s %s\n",
                std::string(LinkStateName(PictureUtils::CurrentState(use.data))).c_str(),
                std::string(PictureFormatName(use.data.format)).c_str(), items.c_str(),
                path.empty() ? use.data.uri.c_str() : path.c_str());
  }
}

}  // namespace

int RunLinks(CommandLine& args) {
  std::string file;
  bool json = false;
  while (!args.Done()) {
    if (args.TakeFlag("--help", "-h")) {
      PrintLinksHelp();
      return kExitOk;
    }
    if (args.TakeFlag("--json")) {
      json = true;
      continue;
    }
    if (CommandLine::IsOption(args.Peek())) return UsageError("links: unknown option '" + args.Peek() + "'");
    if (!file.empty()) return UsageError("links: more than one file given");
    file = args.Take();
  }
  if (file.empty()) return UsageError("links: no file given");
  if (std::string problem = WhyUnreadable(file); !problem.empty()) {
    Error("links: " + problem);
    return kExitFailure;
  }
  IDataBase* db = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(file, db);
  if (!opened.ok()) {
    Error("links: " + opened.message);
    return kExitFailure;
  }
  if (json) {
    std::printf("{\"links\":%s}\n", LinksJson(*db).c_str());
  } else {
    PrintLinks(*db);
  }
  return kExitOk;
}

}  // namespace pagehost
