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

void RegisterStorage(Registry& r) {
  (void)r.RegisterImplementation<TextStory>(kTextStoryImpl, true);
  (void)r.RegisterImplementation<TextChunk>(kTextChunkImpl, true);
  (void)r.RegisterImplementation<CharRunChunk>(kCharRunChunkImpl, true);
  (void)r.RegisterImplementation<StoryList>(kStoryListImpl, true);
  (void)r.RegisterClass(kTextStoryBoss, kInvalidClass, "kTextStoryBoss",
                        {{IID_ITEXTMODEL, kTextStoryImpl}, {IID_ISUBJECT, kSubjectImpl}});
  (void)r.RegisterClass(kTextChunkBoss, kInvalidClass, "kTextChunkBoss", {{IID_ITEXTCHUNK, kTextChunkImpl}});
  (void)r.RegisterClass(kCharRunChunkBoss, kInvalidClass, "kCharRunChunkBoss",
                        {{IID_ICHARRUNCHUNK, kCharRunChunkImpl}});
  (void)r.AddIn(kDocBoss, {{IID_ISTORYLIST, kStoryListImpl}});
}

void RegisterStyles(Registry& r) {
  (void)r.RegisterImplementation<StyleInfo>(kStyleInfoImpl, true);
  (void)r.RegisterImplementation<StyleTable>(kParaStyleTableImpl, true);
  (void)r.RegisterImplementation<StyleTable>(kCharStyleTableImpl, true);
  (void)r.RegisterClass(kStyleBoss, kInvalidClass, "kStyleBoss", {{IID_ISTYLEINFO, kStyleInfoImpl}});
  (void)r.AddIn(kDocWorkspaceBoss,
                {{IID_IPARASTYLETABLE, kParaStyleTableImpl}, {IID_ICHARSTYLETABLE, kCharStyleTableImpl}});
}

void RegisterAttributes(Registry& r) {
  (void)r.RegisterImplementation<TextAttribute>(kTextAttributeImpl);
  (void)r.RegisterClass(kOpaqueTextAttributeBoss, kInvalidClass, "kOpaqueTextAttributeBoss",
                        {{IID_ITEXTATTRIBUTE, kTextAttributeImpl}});
  AttributeClasses::RegisterHostClasses();
}

void RegisterCommand(Registry& r, ClassID cls, const char* name, ImplementationID impl,
                     std::vector<InterfaceEntry> parameters) {
  parameters.insert(parameters.begin(), {IID_ICOMMAND, impl});
  (void)r.RegisterClass(cls, kInvalidClass, name, std::move(parameters));
}

void RegisterCommands(Registry& r) {
  (void)r.RegisterImplementation<TextRangeData>(kTextRangeDataImpl);
  (void)r.RegisterImplementation<TextAttributeData>(kTextAttributeDataImpl);
  (void)r.RegisterImplementation<StyleData>(kStyleDataImpl);
  (void)r.RegisterImplementation<TextCopyData>(kTextCopyDataImpl);
  (void)r.RegisterImplementation<InsertTextCmd>(kInsertTextCmdImpl);
  (void)r.RegisterImplementation<DeleteTextCmd>(kDeleteTextCmdImpl);
  (void)r.RegisterImplementation<CopyTextCmd>(kCopyTextCmdImpl);
  (void)r.RegisterImplementation<ApplyParaStyleCmd>(kApplyParaStyleCmdImpl);
  (void)r.RegisterImplementation<ApplyCharStyleCmd>(kApplyCharStyleCmdImpl);
  (void)r.RegisterImplementation<ApplyOverridesCmd>(kApplyOverridesCmdImpl);
  (void)r.RegisterImplementation<ClearOverridesCmd>(kClearOverridesCmdImpl);
  (void)r.RegisterImplementation<CreateStyleCmd>(kCreateStyleCmdImpl);
  (void)r.RegisterImplementation<EditStyleCmd>(kEditStyleCmdImpl);
  (void)r.RegisterImplementation<NewStoryCmd>(kNewStoryCmdImpl);
  (void)r.RegisterImplementation<DeleteStoryCmd>(kDeleteStoryCmdImpl);
  InterfaceEntry range{IID_ITEXTRANGEDATA, kTextRangeDataImpl};
  InterfaceEntry attributes{IID_ITEXTATTRIBUTEDATA, kTextAttributeDataImpl};
  InterfaceEntry style{IID_IUIDDATA, kUIDDataImpl};
  InterfaceEntry clear{IID_IBOOLDATA, kBoolDataImpl};
  RegisterCommand(r, kInsertTextCmdBoss, "kInsertTextCmdBoss", kInsertTextCmdImpl,
                  {range, {IID_ISTRINGDATA, kStringDataImpl}});
  RegisterCommand(r, kDeleteTextCmdBoss, "kDeleteTextCmdBoss", kDeleteTextCmdImpl, {range});
  RegisterCommand(r, kCopyTextCmdBoss, "kCopyTextCmdBoss", kCopyTextCmdImpl,
                  {range, {IID_ITEXTCOPYDATA, kTextCopyDataImpl}});
  RegisterCommand(r, kApplyParaStyleCmdBoss, "kApplyParaStyleCmdBoss", kApplyParaStyleCmdImpl,
                  {range, style, clear});
  RegisterCommand(r, kApplyCharStyleCmdBoss, "kApplyCharStyleCmdBoss", kApplyCharStyleCmdImpl,
                  {range, style, clear});
  RegisterCommand(r, kApplyOverridesCmdBoss, "kApplyOverridesCmdBoss", kApplyOverridesCmdImpl,
                  {range, attributes});
  RegisterCommand(r, kClearOverridesCmdBoss, "kClearOverridesCmdBoss", kClearOverridesCmdImpl,
                  {range, attributes});
  RegisterCommand(r, kCreateStyleCmdBoss, "kCreateStyleCmdBoss", kCreateStyleCmdImpl,
                  {{IID_ISTYLEDATA, kStyleDataImpl}});
  RegisterCommand(r, kEditStyleCmdBoss, "kEditStyleCmdBoss", kEditStyleCmdImpl,
                  {{IID_ISTYLEDATA, kStyleDataImpl}});
  RegisterCommand(r, kNewStoryCmdBoss, "kNewStoryCmdBoss", kNewStoryCmdImpl, {});
  RegisterCommand(r, kDeleteStoryCmdBoss, "kDeleteStoryCmdBoss", kDeleteStoryCmdImpl, {});
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

void RegisterTextClasses() {
  Registry& r = Registry::Get();
  RegisterAttributes(r);
  RegisterStorage(r);
  RegisterStyles(r);
  RegisterCommands(r);
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
