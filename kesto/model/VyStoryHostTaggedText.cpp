// Inserting a passage of the host's own tagged text into a story: the host imports it into a temporary
// story, whose text is then copied over the target range.
#include <span>

#include "host/app/HostTaggedTextImport.h"
#include "host/cmd/ErrorUtils.h"
#include "host/text/TextCmdUtils.h"
#include "kesto/model/HostTagPassage.h"
#include "kesto/model/VyStory.h"

namespace kesto {
namespace {

// The host's plain failure has a code of its own here, so that it can be told from success.
int32_t HostTagResult(ErrorCode error) {
  return error == kFailure ? VyStory::kHostTagImportFailed : static_cast<int32_t>(error);
}

}  // namespace

int32_t VyStory::InsertHostTaggedText(int32_t start, int32_t end, const char16_t* text, int32_t length,
                                      bool interpretTags, IHostTagDialect& dialect) {
  if (!IsValid() || (!text && length > 0) || length < 0) return kHostTagImportUnavailable;
  Clamp(start, end);
  UID temporary;
  if (!Succeeded(TextCmdUtils::NewStory(GetDocument(), temporary))) return kHostTagImportUnavailable;
  std::u16string_view passage(text, static_cast<size_t>(length));
  HostTagFacts facts = dialect.Scan(GetDocument(), passage);
  // Text ahead of any paragraph-style tag keeps the attributes of the insertion point; the host's importer
  // only learns them from tags in front of it (which it reads only when it reads tags at all).
  WideString body = facts.textFirst && interpretTags ? AttributesPrefix(start, end, dialect) : WideString();
  size_t header = HostTagHeaderLength(passage);
  body.append(passage.substr(header));
  bool eightBit = facts.attributeTag || (header > 0 && passage[1] != u'U');
  std::string bytes = HostTagImportBytes(body, eightBit);
  HostTaggedTextOptions options;
  options.interpretTags = interpretTags;
  ErrorCode imported =
      ImportHostTaggedText(GetDocument(), temporary, 0,
                           std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), options);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  int32_t result = HostTagResult(imported);
  if (result == 0) result = ReplaceWithStory(temporary, start, end, facts);
  (void)Succeeded(TextCmdUtils::DeleteStory(UIDRef(GetDocument(), temporary)));
  return result;
}

WideString VyStory::AttributesPrefix(int32_t start, int32_t end, IHostTagDialect& dialect) {
  int32_t rangeStart = 0, rangeEnd = 0;
  GetRange(rangeStart, rangeEnd);
  // At the insertion point the attributes in force are the managers', which no character may carry yet: a
  // return made with them carries them while they are written.
  bool temporary = start == rangeStart && HostInsert(start, u"\r");
  int32_t index = start;
  if (temporary) {
    (void)CommitAttributes(start, start + 1, true, true);
    NoteTextChange(start, 1);
  } else if (start == end && HostIndex(start) > 0 &&
             GetModel()->GetChar(HostIndex(start) - 1) != kParagraphReturn) {
    index = start - 1;
  }
  Finish(0);
  WideString prefix = dialect.AttributesAt(*this, HostIndex(index));
  if (temporary) (void)DeleteRange(start, start + 1, false);
  return prefix;
}

bool VyStory::TakeParagraphAttributes(const TextRun& paragraph, int32_t index) {
  TextRun held = GetModel()->GetRunAt(TextStrand::kParagraph, index);
  if (held.style == paragraph.style && *held.overrides == *paragraph.overrides) return true;
  bool ok = Succeeded(TextCmdUtils::ApplyParagraphStyle(GetStoryRef(), index, index, paragraph.style, true));
  if (ok && !paragraph.overrides->IsEmpty())
    ok = Succeeded(TextCmdUtils::ApplyOverrides(GetStoryRef(), TextStrand::kParagraph, index, index,
                                                *paragraph.overrides));
  return ok;
}

int32_t VyStory::ReplaceWithStory(UID source, int32_t start, int32_t end, const HostTagFacts& facts) {
  Finish(0);
  InterfacePtr<ITextModel> model = Instantiate<ITextModel>(GetDocument(), source);
  if (!model) return kHostTagImportFailed;
  int32_t length = model->TotalLength() - 1;
  UIDRef sourceRef(GetDocument(), source);
  ErrorCode copied =
      TextCmdUtils::CopyText(sourceRef, 0, length, GetStoryRef(), HostIndex(start), HostIndex(end));
  if (!Succeeded(copied)) return HostTagResult(copied);
  // A copy gives the paragraphs it ends their attributes; text after the last return joins the paragraph
  // at the target, which takes the attributes the passage left in force there: those of the insertion
  // point the prefix carried, or those a paragraph-style tag set.
  if ((facts.paragraphTag || facts.textFirst) && length > 0 && model->GetChar(length - 1) != kParagraphReturn)
    (void)TakeParagraphAttributes(model->GetRunAt(TextStrand::kParagraph, length), HostIndex(start + length));
  NoteReplace(start, end - start, length, false);
  ReloadAttributes(facts.textFirst || facts.paragraphTag);
  return 0;
}

}  // namespace kesto
