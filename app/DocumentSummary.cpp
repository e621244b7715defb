// The readable summary of a document.
#include "app/DocumentSummary.h"

#include <cstdio>
#include <map>

#include "host/core/Registry.h"
#include "host/db/IDocument.h"

namespace pagehost {
namespace {

std::string ClassLabel(ClassID cls) {
  std::string name = Registry::Get().GetClassName(cls);
  if (!name.empty()) return name;
  char buffer[40];
  std::snprintf(buffer, sizeof(buffer), "unknown class 0x%X", cls.Get());
  return buffer;
}

}  // namespace

void WriteSummary(IDataBase& db, std::ostream& out) {
  auto doc = Instantiate<IDocument>(&db, db.GetRootUID());
  if (doc) {
    out << "Document: " << Utf8FromWide(doc->GetName()) << "\n";
    if (!doc->GetFile().empty()) out << "File: " << doc->GetFile().string() << "\n";
  }
  std::map<std::string, int> byClass;
  size_t keptBlocks = 0;
  std::vector<UID> uids = db.GetAllUIDs();
  for (UID uid : uids) {
    Boss* boss = db.GetBoss(uid);
    ++byClass[ClassLabel(boss->GetClass())];
    keptBlocks += boss->UnknownData().size();
  }
  out << "Objects: " << uids.size() << "\n";
  for (const auto& [label, count] : byClass) out << "  " << label << ": " << count << "\n";
  if (keptBlocks > 0) {
    out << "Data kept for plug-ins that are not loaded: " << keptBlocks << " block" << (keptBlocks == 1 ? "" : "s")
        << "\n";
  }
}

}  // namespace pagehost
