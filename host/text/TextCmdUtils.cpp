// One-call text commands.
#include "host/text/TextCmdUtils.h"

#include "host/cmd/CmdUtils.h"
#include "host/db/ValueData.h"
#include "host/text/IStyleData.h"
#include "host/text/ITextAttributeData.h"
#include "host/text/ITextCopyData.h"
#include "host/text/ITextRangeData.h"

namespace TextCmdUtils {
namespace {

InterfacePtr<ICommand> RangeCommand(ClassID cls, const UIDRef& story, int32_t start, int32_t end) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(cls);
  if (!cmd) return {};
  cmd->SetItemList(UIDList(story));
  if (InterfacePtr<ITextRangeData> range(cmd, UseDefaultIID()); range) range->SetRange(start, end);
  return cmd;
}

ErrorCode Process(const InterfacePtr<ICommand>& cmd) {
  return cmd ? CmdUtils::ProcessCommand(cmd.get()) : kInvalidParameterError;
}

ErrorCode ApplyStyle(ClassID cls, const UIDRef& story, int32_t start, int32_t end, UID style, bool clear) {
  InterfacePtr<ICommand> cmd = RangeCommand(cls, story, start, end);
  if (InterfacePtr<IUIDData> data(cmd, UseDefaultIID()); data) data->Set(style);
  if (InterfacePtr<IBoolData> data(cmd, UseDefaultIID()); data) data->Set(clear);
  return Process(cmd);
}

ErrorCode ChangeOverrides(ClassID cls, const UIDRef& story, TextStrand strand, int32_t start, int32_t end,
                          const AttributeBossList& overrides, std::vector<ClassID> classes) {
  InterfacePtr<ICommand> cmd = RangeCommand(cls, story, start, end);
  if (InterfacePtr<ITextAttributeData> data(cmd, UseDefaultIID()); data) {
    data->SetStrand(strand);
    data->SetAttributes(overrides);
    data->SetClasses(std::move(classes));
  }
  return Process(cmd);
}

}  // namespace

ErrorCode NewStory(IDataBase* db, UID& story) {
  story = kInvalidUID;
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kNewStoryCmdBoss);
  if (!cmd) return kInvalidParameterError;
  cmd->SetTargetDataBase(db);
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  if (err == kSuccess && cmd->GetItemList().size() == 1) story = cmd->GetItemList()[0];
  return err;
}

ErrorCode DeleteStory(const UIDRef& story) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kDeleteStoryCmdBoss);
  if (cmd) cmd->SetItemList(UIDList(story));
  return Process(cmd);
}

ErrorCode InsertText(const UIDRef& story, int32_t position, const WideString& text) {
  InterfacePtr<ICommand> cmd = RangeCommand(kInsertTextCmdBoss, story, position, position);
  if (InterfacePtr<IStringData> data(cmd, UseDefaultIID()); data) data->Set(text);
  return Process(cmd);
}

ErrorCode DeleteText(const UIDRef& story, int32_t start, int32_t end) {
  return Process(RangeCommand(kDeleteTextCmdBoss, story, start, end));
}

ErrorCode CopyText(const UIDRef& source, int32_t start, int32_t end, const UIDRef& target,
                   int32_t targetStart, int32_t targetEnd) {
  InterfacePtr<ICommand> cmd = RangeCommand(kCopyTextCmdBoss, target, targetStart, targetEnd);
  if (InterfacePtr<ITextCopyData> data(cmd, UseDefaultIID()); data) data->SetSource(source, start, end);
  return Process(cmd);
}

ErrorCode InsertStyledText(const UIDRef& story, int32_t position, StyledText text) {
  InterfacePtr<ICommand> cmd = RangeCommand(kCopyTextCmdBoss, story, position, position);
  if (InterfacePtr<ITextCopyData> data(cmd, UseDefaultIID()); data) data->SetStyledText(std::move(text));
  return Process(cmd);
}

ErrorCode ApplyParagraphStyle(const UIDRef& story, int32_t start, int32_t end, UID style,
                              bool clearOverrides) {
  return ApplyStyle(kApplyParaStyleCmdBoss, story, start, end, style, clearOverrides);
}

ErrorCode ApplyCharacterStyle(const UIDRef& story, int32_t start, int32_t end, UID style,
                              bool clearOverrides) {
  return ApplyStyle(kApplyCharStyleCmdBoss, story, start, end, style, clearOverrides);
}

ErrorCode ApplyOverrides(const UIDRef& story, TextStrand strand, int32_t start, int32_t end,
                         const AttributeBossList& overrides) {
  return ChangeOverrides(kApplyOverridesCmdBoss, story, strand, start, end, overrides, {});
}

ErrorCode ClearOverrides(const UIDRef& story, TextStrand strand, int32_t start, int32_t end,
                         std::vector<ClassID> classes) {
  return ChangeOverrides(kClearOverridesCmdBoss, story, strand, start, end, {}, std::move(classes));
}

ErrorCode CreateStyle(IDataBase* db, const StyleFields& fields, UID& style) {
  style = kInvalidUID;
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kCreateStyleCmdBoss);
  InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
  if (!cmd || !data) return kInvalidParameterError;
  cmd->SetTargetDataBase(db);
  data->SetKind(fields.kind);
  data->SetName(fields.name);
  data->SetBasedOn(fields.basedOn);
  data->SetNextStyle(fields.nextStyle);
  data->SetCharacterStyle(fields.characterStyle);
  data->SetAttributes(fields.attributes);
  ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
  if (err == kSuccess && cmd->GetItemList().size() == 1) style = cmd->GetItemList()[0];
  return err;
}

ErrorCode SetStyleAttributes(const UIDRef& style, const AttributeBossList& attributes) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kEditStyleCmdBoss);
  InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
  if (!cmd || !data) return kInvalidParameterError;
  cmd->SetItemList(UIDList(style));
  data->SetAttributes(attributes);
  return CmdUtils::ProcessCommand(cmd.get());
}

}  // namespace TextCmdUtils
