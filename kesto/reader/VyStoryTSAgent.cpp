// Binding the scanner's attributes to the story, and adding the styles the scanner defines.
#include "kesto/reader/VyStoryTSAgent.h"

#include "kesto/model/DocumentStyles.h"
#include "kesto/model/VyStory.h"
#include "kesto/model/VyStyleInfo.h"
#include "kesto/streams/FileSystemErrors.h"

namespace kesto {

KestoResult VyStoryTSAgent::BeginImport(VyTextAttributeMgr* attributes) {
  VyStory* story = GetStory();
  if (!story || !attributes) return 0;
  UnbindAttributes();
  attributes->Paragraph().Bind(&story->ParagraphAgent());
  attributes->Character().Bind(&story->CharacterAgent());
  attributes_ = attributes;
  return 0;
}

void VyStoryTSAgent::UnbindAttributes() {
  if (!attributes_) return;
  // The pair keeps what it holds in sets of its own once the story is gone.
  attributes_->Paragraph().Bind(nullptr);
  attributes_->Character().Bind(nullptr);
  attributes_ = nullptr;
}

KestoResult VyStoryTSAgent::DefineParagraphStyle(VyParagraphStyleInfo* info, bool missing) {
  if (!info) return 0;
  std::u16string_view tagName = missing ? u"@...:" : u"@...=[]";
  if (!info->GetNextStyleName().empty()) info->SetNextStyle(NextStyleFor(*info));
  UID existing = FindParagraphStyle(info->GetDocument(), info->GetName());
  if (existing.IsValid()) {
    bool placeholder = !missing && placeholders_.erase(existing.Get()) > 0;
    if (placeholder && !RedefineParagraphStyle(*info, existing)) ReportBuilderError(kCannotAddStyle, tagName);
    return 0;
  }
  if (missing) info->LoadFromDefaultStyle();
  if (!AddParagraphStyle(*info)) ReportBuilderError(kCannotAddStyle, tagName);
  return 0;
}

UID VyStoryTSAgent::NextStyleFor(const VyParagraphStyleInfo& info) {
  IDataBase* db = info.GetDocument();
  if (UID found = FindParagraphStyle(db, info.GetNextStyleName()); found.IsValid()) return found;
  VyParagraphStyleInfo next(db);
  next.SetName(info.GetNextStyleName());
  next.LoadFromDefaultStyle();
  if (!AddParagraphStyle(next)) return kInvalidUID;
  placeholders_.insert(next.GetStyleUID().Get());
  return next.GetStyleUID();
}

KestoResult VyStoryTSAgent::InsertHostTaggedText(const char16_t* text, int32_t length, bool interpretTags) {
  VyStory* story = GetStory();
  if (!story) return 0;
  int32_t start = 0, end = 0;
  story->GetRange(start, end);
  if (!dialect_) return story->InsertText(text, length) ? 0 : kParamErr;
  return story->InsertHostTaggedText(start, end, text, length, interpretTags, *dialect_);
}

KestoResult VyStoryTSAgent::DefineCharacterStyle(VyCharacterStyleInfo* info, bool missing) {
  if (!info || FindCharacterStyle(info->GetDocument(), info->GetName()).IsValid()) return 0;
  if (missing) info->LoadFromDefaultStyle();
  if (!AddCharacterStyle(*info)) ReportBuilderError(kCannotAddStyle, missing ? u"@...:" : u"@...=");
  return 0;
}

}  // namespace kesto
