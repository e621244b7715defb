// Importing host tagged text into a story.
#include "host/app/HostTaggedTextImport.h"

#include "host/app/HostTaggedTextEncoding.h"
#include "host/cmd/CmdUtils.h"
#include "host/text/TextCmdUtils.h"

namespace {

HostTaggedTextReader::Attributes AttributesOf(const TextRun& run) {
  return {run.style, *run.overrides};
}

// The character attributes new text at `at` takes: those of the character before it, or of the character
// at it at the start of a paragraph (as the text model's insert does).
HostTaggedTextReader::Attributes CharacterAttributesAt(const ITextModel& model, int32_t at) {
  bool paragraphStart = at == 0 || model.GetChar(at - 1) == u'\r';
  return AttributesOf(model.GetRunAt(TextStrand::kCharacter, paragraphStart ? at : at - 1));
}

// Gives the paragraph holding `position` the attributes the text left in force.
ErrorCode ApplyParagraph(const UIDRef& story, int32_t position,
                         const HostTaggedTextReader::Attributes& attributes) {
  ErrorCode error = TextCmdUtils::ApplyParagraphStyle(story, position, position, attributes.style, true);
  if (error == kSuccess && !attributes.overrides.IsEmpty())
    error =
        TextCmdUtils::ApplyOverrides(story, TextStrand::kParagraph, position, position, attributes.overrides);
  return error;
}

}  // namespace

ErrorCode ImportHostTaggedText(IDataBase* db, UID story, int32_t at, std::span<const uint8_t> bytes,
                               const HostTaggedTextOptions& options, HostTaggedTextReport* report) {
  InterfacePtr<ITextModel> model;
  if (db && db->IsValidUID(story)) model = Instantiate<ITextModel>(db, story);
  if (!model || at < 0 || at >= model->TotalLength()) return kInvalidParameterError;
  HostTaggedTextReader::Attributes paragraph = AttributesOf(model->GetRunAt(TextStrand::kParagraph, at));
  HostTaggedTextReader reader(db, paragraph, CharacterAttributesAt(*model, at));
  CommandSequenceScope sequence("Import Tagged Text");
  ErrorCode error = reader.Read(HostTaggedTextEncoding::Decode(bytes), options.interpretTags);
  auto length = static_cast<int32_t>(reader.Text().text.size());
  bool joinsParagraph = reader.EndsInsideParagraph();
  UIDRef target(db, story);
  if (error == kSuccess && length > 0)
    error = TextCmdUtils::InsertStyledText(target, at, std::move(reader.Text()));
  if (error == kSuccess && joinsParagraph && !(reader.Paragraph() == paragraph))
    error = ApplyParagraph(target, at + length, reader.Paragraph());
  if (error != kSuccess) sequence.Abort();
  if (report) *report = reader.Report();
  return error;
}
