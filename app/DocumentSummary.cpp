// The readable summary of a document.
#include "app/DocumentSummary.h"
#include "app/MissingFontsReport.h"
#include "app/PlugInSummaries.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "host/core/Registry.h"
#include "host/db/IDocument.h"
#include "host/text/IStoryList.h"
#include "host/text/ITextModel.h"

namespace pagehost {
namespace {

std::string ClassLabel(ClassID cls) {
  std::string name = Registry::Get().GetClassName(cls);
  if (!name.empty()) return name;
  char buffer[40];
  std::snprintf(buffer, sizeof(buffer), "unknown class 0x%X", cls.Get());
  return buffer;
}

// One line per story: its size and the start of its text.
void WriteStories(IDataBase& db, std::ostream& out) {
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  if (!stories) return;
  out << "Stories: " << stories->CountStories() << "\n";
  for (int32_t i = 0; i < stories->CountStories(); ++i) {
    UID uid = stories->GetNthStory(i);
    auto story = Instantiate<ITextModel>(&db, uid);
    if (!story) continue;
    constexpr int32_t kPreview = 60;
    std::u16string start = story->GetText(0, std::min(story->TotalLength(), kPreview));
    for (auto& unit : start) {
      if (unit == u'\r') unit = u' ';
    }
    bool cut = story->TotalLength() > kPreview;
    out << "  story " << uid.Get() << (i == 0 ? " (main)" : "") << ": " << story->CountParagraphs()
        << " paragraph" << (story->CountParagraphs() == 1 ? "" : "s") << ", " << story->TotalLength()
        << " characters: \"" << Utf8FromWide(start) << (cut ? "..." : "") << "\"\n";
  }
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
  WriteStories(db, out);
  WriteMissingFontsSummary(db, out);
  WritePlugInSummaries(db, out);
  out << "Objects: " << uids.size() << "\n";
  for (const auto& [label, count] : byClass)
    out << "  " << label << ": " << count << "\n";
  if (keptBlocks > 0) {
    out << "Data kept for plug-ins that are not loaded: " << keptBlocks << " block"
        << (keptBlocks == 1 ? "" : "s") << "\n";
  }
}

}  // namespace pagehost
