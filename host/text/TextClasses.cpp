// Registration of the text area and a new document's text defaults.
#include "host/text/TextClasses.h"

#include "host/core/HostIDs.h"
#include "host/core/Registry.h"
#include "host/text/ApplyOverridesCmd.h"
#include "host/text/ApplyTextStyleCmd.h"
#include "host/text/CharRunChunk.h"
#include "host/text/ClearOverridesCmd.h"
#include "host/text/CopyTextCmd.h"
#include "host/text/CreateStyleCmd.h"
#include "host/text/DeleteStoryCmd.h"
#include "host/text/DeleteTextCmd.h"
#include "host/text/EditStyleCmd.h"
#include "host/text/InsertTextCmd.h"
#include "host/text/NewStoryCmd.h"
#include "host/text/StoryList.h"
#include "host/text/StyleInfo.h"
#include "host/text/StyleTable.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextAttribute.h"
#include "host/text/TextCmdData.h"
#include "host/text/TextStory.h"

namespace {

ErrorCode RegisterStorage(Registry& r) {
  ErrorCode error = r.RegisterImplementation<TextStory>(kTextStoryImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<TextChunk>(kTextChunkImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<CharRunChunk>(kCharRunChunkImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StoryList>(kStoryListImpl, true);
  if (error == kSuccess)
    error = r.RegisterClass(kTextStoryBoss, kInvalidClass, "kTextStoryBoss",
                            {{IID_ITEXTMODEL, kTextStoryImpl}, {IID_ISUBJECT, kSubjectImpl}});
  if (error == kSuccess)
    error =
        r.RegisterClass(kTextChunkBoss, kInvalidClass, "kTextChunkBoss", {{IID_ITEXTCHUNK, kTextChunkImpl}});
  if (error == kSuccess)
    error = r.RegisterClass(kCharRunChunkBoss, kInvalidClass, "kCharRunChunkBoss",
                            {{IID_ICHARRUNCHUNK, kCharRunChunkImpl}});
  if (error == kSuccess) error = r.AddIn(kDocBoss, {{IID_ISTORYLIST, kStoryListImpl}});
  return error;
}

ErrorCode RegisterStyles(Registry& r) {
  ErrorCode error = r.RegisterImplementation<StyleInfo>(kStyleInfoImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StyleTable>(kParaStyleTableImpl, true);
  if (error == kSuccess) error = r.RegisterImplementation<StyleTable>(kCharStyleTableImpl, true);
  if (error == kSuccess)
    error = r.RegisterClass(kStyleBoss, kInvalidClass, "kStyleBoss", {{IID_ISTYLEINFO, kStyleInfoImpl}});
  if (error == kSuccess)
    error = r.AddIn(kDocWorkspaceBoss,
                    {{IID_IPARASTYLETABLE, kParaStyleTableImpl}, {IID_ICHARSTYLETABLE, kCharStyleTableImpl}});
  return error;
}

ErrorCode RegisterAttributes(Registry& r) {
  ErrorCode error = r.RegisterImplementation<TextAttribute>(kTextAttributeImpl);
  if (error == kSuccess)
    error = r.RegisterClass(kOpaqueTextAttributeBoss, kInvalidClass, "kOpaqueTextAttributeBoss",
                            {{IID_ITEXTATTRIBUTE, kTextAttributeImpl}});
  if (error == kSuccess) error = AttributeClasses::RegisterHostClasses();
  return error;
}

ErrorCode RegisterCommand(Registry& r, ClassID cls, const char* name, ImplementationID impl,
                          std::vector<InterfaceEntry> parameters) {
  ErrorCode error = kSuccess;
  parameters.insert(parameters.begin(), {IID_ICOMMAND, impl});
  if (error == kSuccess) error = r.RegisterClass(cls, kInvalidClass, name, std::move(parameters));
  return error;
}

ErrorCode RegisterCommands(Registry& r) {
  ErrorCode error = r.RegisterImplementation<TextRangeData>(kTextRangeDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<TextAttributeData>(kTextAttributeDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<StyleData>(kStyleDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<TextCopyData>(kTextCopyDataImpl);
  if (error == kSuccess) error = r.RegisterImplementation<InsertTextCmd>(kInsertTextCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<DeleteTextCmd>(kDeleteTextCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<CopyTextCmd>(kCopyTextCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ApplyParaStyleCmd>(kApplyParaStyleCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ApplyCharStyleCmd>(kApplyCharStyleCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ApplyOverridesCmd>(kApplyOverridesCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<ClearOverridesCmd>(kClearOverridesCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<CreateStyleCmd>(kCreateStyleCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<EditStyleCmd>(kEditStyleCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<NewStoryCmd>(kNewStoryCmdImpl);
  if (error == kSuccess) error = r.RegisterImplementation<DeleteStoryCmd>(kDeleteStoryCmdImpl);
  InterfaceEntry range{IID_ITEXTRANGEDATA, kTextRangeDataImpl};
  InterfaceEntry attributes{IID_ITEXTATTRIBUTEDATA, kTextAttributeDataImpl};
  InterfaceEntry style{IID_IUIDDATA, kUIDDataImpl};
  InterfaceEntry clear{IID_IBOOLDATA, kBoolDataImpl};
  if (error == kSuccess)
    error = RegisterCommand(r, kInsertTextCmdBoss, "kInsertTextCmdBoss", kInsertTextCmdImpl,
                            {range, {IID_ISTRINGDATA, kStringDataImpl}});
  if (error == kSuccess)
    error = RegisterCommand(r, kDeleteTextCmdBoss, "kDeleteTextCmdBoss", kDeleteTextCmdImpl, {range});
  if (error == kSuccess)
    error = RegisterCommand(r, kCopyTextCmdBoss, "kCopyTextCmdBoss", kCopyTextCmdImpl,
                            {range, {IID_ITEXTCOPYDATA, kTextCopyDataImpl}});
  if (error == kSuccess)
    error = RegisterCommand(r, kApplyParaStyleCmdBoss, "kApplyParaStyleCmdBoss", kApplyParaStyleCmdImpl,
                            {range, style, clear});
  if (error == kSuccess)
    error = RegisterCommand(r, kApplyCharStyleCmdBoss, "kApplyCharStyleCmdBoss", kApplyCharStyleCmdImpl,
                            {range, style, clear});
  if (error == kSuccess)
    error = RegisterCommand(r, kApplyOverridesCmdBoss, "kApplyOverridesCmdBoss", kApplyOverridesCmdImpl,
                            {range, attributes});
  if (error == kSuccess)
    error = RegisterCommand(r, kClearOverridesCmdBoss, "kClearOverridesCmdBoss", kClearOverridesCmdImpl,
                            {range, attributes});
  if (error == kSuccess)
    error = RegisterCommand(r, kCreateStyleCmdBoss, "kCreateStyleCmdBoss", kCreateStyleCmdImpl,
                            {{IID_ISTYLEDATA, kStyleDataImpl}});
  if (error == kSuccess)
    error = RegisterCommand(r, kEditStyleCmdBoss, "kEditStyleCmdBoss", kEditStyleCmdImpl,
                            {{IID_ISTYLEDATA, kStyleDataImpl}});
  if (error == kSuccess)
    error = RegisterCommand(r, kNewStoryCmdBoss, "kNewStoryCmdBoss", kNewStoryCmdImpl, {});
  if (error == kSuccess)
    error = RegisterCommand(r, kDeleteStoryCmdBoss, "kDeleteStoryCmdBoss", kDeleteStoryCmdImpl, {});
  return error;
}

AttributeBossList AllDefaults() {
  AttributeBossList defaults;
  for (const AttributeClassInfo* info : AttributeClasses::All())
    (void)defaults.ApplyValue(info->cls, info->defaultValue);
  return defaults;
}

UID NewStyle(IDataBase& db, StyleKind kind, const char16_t* name, UID basedOn,
             const AttributeBossList& attributes) {
  UID uid = db.NewObject(kStyleBoss);
  if (InterfacePtr<IStyleInfo> style = Instantiate<IStyleInfo>(&db, uid)) {
    style->SetKind(kind);
    style->SetName(name);
    style->SetBasedOn(basedOn);
    style->SetAttributes(attributes);
  }
  return uid;
}

}  // namespace

ErrorCode RegisterTextClasses() {
  Registry& r = Registry::Get();
  ErrorCode error = RegisterAttributes(r);
  if (error == kSuccess) error = RegisterStorage(r);
  if (error == kSuccess) error = RegisterStyles(r);
  if (error == kSuccess) error = RegisterCommands(r);
  return error;
}

void InitializeTextDocument(IDataBase& db, UID) {
  InterfacePtr<IStyleTable> paragraphs = StyleUtils::QueryStyleTable(&db, StyleKind::kParagraph);
  InterfacePtr<IStyleTable> characters = StyleUtils::QueryStyleTable(&db, StyleKind::kCharacter);
  if (!paragraphs || !characters) return;
  UID root = NewStyle(db, StyleKind::kParagraph, u"[No paragraph style]", kInvalidUID, AllDefaults());
  UID normal = NewStyle(db, StyleKind::kParagraph, u"NormalParagraphStyle", root, {});
  paragraphs->SetRootStyle(root);
  paragraphs->AddStyle(root);
  paragraphs->AddStyle(normal);
  paragraphs->SetDefaultStyle(normal);
  UID characterRoot = NewStyle(db, StyleKind::kCharacter, u"[No character style]", kInvalidUID, {});
  characters->SetRootStyle(characterRoot);
  characters->AddStyle(characterRoot);
  characters->SetDefaultStyle(characterRoot);
}
