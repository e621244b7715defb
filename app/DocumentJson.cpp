// The document as JSON.
#include "app/DocumentJson.h"

#include <utility>

#include "app/LayoutJson.h"
#include "app/MissingFontsReport.h"
#include "app/PictureJson.h"
#include "host/db/IDocument.h"
#include "host/res/IFontFamily.h"
#include "host/res/ILanguage.h"
#include "host/res/ISwatch.h"
#include "host/res/ISwatchList.h"
#include "host/text/AttributeClasses.h"
#include "host/text/IStoryList.h"
#include "host/text/IStyleInfo.h"
#include "host/text/IStyleTable.h"
#include "host/text/ITextAttribute.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"

namespace pagehost {
namespace {

// The name of a style, swatch, font family or language; empty when `uid` is none of them.
WideString NameOf(IDataBase& db, UID uid) {
  if (auto style = Instantiate<IStyleInfo>(&db, uid)) return style->GetName();
  if (auto swatch = Instantiate<ISwatch>(&db, uid)) return swatch->GetName();
  if (auto family = Instantiate<IFontFamily>(&db, uid)) return family->GetFamilyName();
  if (auto language = Instantiate<ILanguage>(&db, uid)) return language->GetName();
  return {};
}

std::string NamedOrNull(IDataBase& db, UID uid) {
  return uid.IsValid() ? JsonQuote(NameOf(db, uid)) : "null";
}

std::string AttributeJson(IDataBase& db, const ITextAttribute& attribute) {
  if (const UID* uid = std::get_if<UID>(&attribute.GetValue())) {
    WideString name = NameOf(db, *uid);
    if (!name.empty() || !uid->IsValid()) return uid->IsValid() ? JsonQuote(name) : "null";
  }
  return attribute.ValueToJson();
}

// The key of an attribute: the host dialect's long tag name, the registered name of a class the dialect does
// not carry (a plug-in's), or with `ids` the class number.
std::string AttributeKey(ClassID cls, bool ids) {
  const AttributeClassInfo* info = ids ? nullptr : AttributeClasses::Find(cls);
  if (info && !info->longTag.empty()) return info->longTag;
  if (info && !info->name.empty()) return info->name;
  return std::to_string(cls.Get());
}

std::string AttributesJson(IDataBase& db, const AttributeBossList& list, bool ids) {
  std::string json = "{";
  for (int32_t i = 0; i < list.CountBosses(); ++i) {
    if (i > 0) json += ",";
    json += JsonQuote(WideFromUtf8(AttributeKey(list.GetClassN(i), ids))) + ":" +
            AttributeJson(db, *list.GetNth(i));
  }
  return json + "}";
}

std::string RunJson(IDataBase& db, const TextRun& run, bool ids) {
  return "{\"start\":" + std::to_string(run.start) + ",\"end\":" + std::to_string(run.end) +
         ",\"style\":" + NamedOrNull(db, run.style) +
         ",\"attributes\":" + AttributesJson(db, *run.overrides, ids) + "}";
}

std::string StrandJson(IDataBase& db, const ITextModel& story, TextStrand strand, bool ids) {
  std::string json = "[";
  int32_t count = strand == TextStrand::kParagraph ? story.CountParagraphs() : story.CountCharacterRuns();
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0) json += ",";
    json += RunJson(
        db, strand == TextStrand::kParagraph ? story.GetParagraphRun(i) : story.GetCharacterRun(i), ids);
  }
  return json + "]";
}

void WriteStories(IDataBase& db, std::ostream& out, bool ids) {
  out << "\"stories\":[";
  auto stories = Instantiate<IStoryList>(&db, db.GetRootUID());
  const char* separator = "";
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    UID uid = stories->GetNthStory(i);
    auto story = Instantiate<ITextModel>(&db, uid);
    if (!story) continue;
    out << std::exchange(separator, ",");
    out << "{\"uid\":" << uid.Get() << ",\"text\":" << JsonQuote(story->GetText(0, story->TotalLength()))
        << ",\"paragraphs\":" << StrandJson(db, *story, TextStrand::kParagraph, ids)
        << ",\"characterRuns\":" << StrandJson(db, *story, TextStrand::kCharacter, ids)
        << StoryLayoutMembers(db, uid) << StoryPlugInMembers(db, uid) << "}";
  }
  out << "]";
}

void WriteStyles(IDataBase& db, StyleKind kind, std::ostream& out, bool ids) {
  bool paragraph = kind == StyleKind::kParagraph;
  out << (paragraph ? "\"paragraphStyles\":[" : "\"characterStyles\":[");
  InterfacePtr<IStyleTable> table = StyleUtils::QueryStyleTable(&db, kind);
  const char* separator = "";
  for (int32_t i = 0; table && i < table->CountStyles(); ++i) {
    auto style = Instantiate<IStyleInfo>(&db, table->GetNthStyle(i));
    if (!style) continue;
    out << std::exchange(separator, ",");
    out << "{\"name\":" << JsonQuote(style->GetName())
        << ",\"basedOn\":" << NamedOrNull(db, style->GetBasedOn());
    if (paragraph) {
      out << ",\"nextStyle\":" << NamedOrNull(db, style->GetNextStyle())
          << ",\"characterStyle\":" << NamedOrNull(db, style->GetCharacterStyle());
    }
    out << ",\"attributes\":" << AttributesJson(db, style->GetAttributes(), ids) << "}";
  }
  out << "]";
}

void WriteSwatches(IDataBase& db, std::ostream& out) {
  out << "\"swatches\":[";
  InterfacePtr<ISwatchList> swatches;
  if (auto doc = Instantiate<IDocument>(&db, db.GetRootUID())) {
    swatches = Instantiate<ISwatchList>(&db, doc->GetDocWorkSpace());
  }
  for (int32_t i = 0; swatches && i < swatches->CountSwatches(); ++i) {
    if (i > 0) out << ",";
    out << NamedOrNull(db, swatches->GetNthSwatchUID(i));
  }
  out << "]";
}

}  // namespace

void WriteDocumentJson(IDataBase& db, std::ostream& out, const DocumentJsonOptions& options) {
  out << "{";
  WriteStories(db, out, options.attributeIds);
  out << ",";
  WriteStyles(db, StyleKind::kParagraph, out, options.attributeIds);
  out << ",";
  WriteStyles(db, StyleKind::kCharacter, out, options.attributeIds);
  out << ",";
  WriteSwatches(db, out);
  WriteMissingFontsJson(db, out);
  WriteLayoutMembers(db, out, options.lines);
  out << ",\"links\":" << LinksJson(db);
  WritePlugInMembers(db, out);
  out << "}\n";
}

}  // namespace pagehost
