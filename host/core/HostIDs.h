// Identifiers of the host's own classes, interfaces, implementations and services. Numbers the plug-ins
// rely on (message classes, protocols, signals and service IDs they name) have fixed values; the others are
// taken from the host's own range from 0x20000, one block per area, so that they never meet a plug-in's.
#pragma once

#include "host/core/IDs.h"

// core: 0x20000
inline constexpr ClassID kSessionBoss = 0x20000;
inline constexpr ClassID kUtilsBoss = 0x20001;
inline constexpr ClassID kWorkspaceBoss = 0x20002;
inline constexpr PMIID IID_ISESSION = 0x20000;
inline constexpr PMIID IID_IWORKSPACE = 0x20001;
inline constexpr ImplementationID kSessionImpl = 0x20000;
inline constexpr ImplementationID kWorkspaceImpl = 0x20001;

// db: 0x20100
inline constexpr ClassID kDocBoss = 0x20100;
inline constexpr ClassID kDocWorkspaceBoss = 0x20101;
inline constexpr PMIID IID_IDOCUMENT = 0x20100;
inline constexpr ImplementationID kDocumentImpl = 0x20100;

// notify: 0x20200, with the message classes and protocols plug-ins name.
inline constexpr PMIID IID_ISUBJECT = 0x20200;
inline constexpr PMIID IID_IOBSERVER = 0x20201;
inline constexpr PMIID IID_IRESPONDER = 0x20202;
inline constexpr PMIID IID_ISIGNALMGR = 0x20203;
inline constexpr PMIID IID_ICOMMANDMGR = 0x20204;  // protocol of every command's before and after messages
inline constexpr ImplementationID kSubjectImpl = 0x20200;
inline constexpr ClassID kBeforeDoMessageBoss = 4101;
inline constexpr ClassID kAfterDoMessageBoss = 4102;
// Undo and redo are not commands: observers that count commands on their before and after messages (the
// pairs 4101/4102 and 4109/4110 both mean "a command") must not count them, so they have classes of their
// own.
inline constexpr ClassID kBeforeUndoRedoMessageBoss = 0x20210;
inline constexpr ClassID kAfterUndoRedoMessageBoss = 0x20211;
inline constexpr ServiceID kDocumentSignalService = 3599;
inline constexpr ClassID kAfterNewDocSignal = 3595;
inline constexpr ClassID kAfterOpenDocSignal = 3598;
inline constexpr ClassID kAfterSaveAsDocSignal = 3590;
inline constexpr ClassID kBeforeExportSignal = 3591;
inline constexpr ClassID kAfterExportSignal = 3592;

// cmd: 0x20300
inline constexpr PMIID IID_ICOMMAND = 0x20300;
inline constexpr PMIID IID_ICOMMANDSEQUENCE = 0x20301;
inline constexpr PMIID IID_IBOOLDATA = 0x20302;
inline constexpr PMIID IID_IINTDATA = 0x20303;
inline constexpr PMIID IID_IREALDATA = 0x20304;
inline constexpr PMIID IID_ISTRINGDATA = 0x20305;
inline constexpr PMIID IID_IUIDDATA = 0x20306;
inline constexpr PMIID IID_IPMSTRINGDATA = IID_ISTRINGDATA;
inline constexpr ClassID kCommandSequenceBoss = 0x20300;
inline constexpr ImplementationID kCommandSequenceImpl = 0x20300;
inline constexpr ImplementationID kBoolDataImpl = 0x20301;
inline constexpr ImplementationID kIntDataImpl = 0x20302;
inline constexpr ImplementationID kRealDataImpl = 0x20303;
inline constexpr ImplementationID kStringDataImpl = 0x20304;
inline constexpr ImplementationID kUIDDataImpl = 0x20305;
inline constexpr ImplementationID kPersistBoolDataImpl = 0x20306;
inline constexpr ImplementationID kPersistIntDataImpl = 0x20307;
inline constexpr ImplementationID kPersistRealDataImpl = 0x20308;
inline constexpr ImplementationID kPersistStringDataImpl = 0x20309;
inline constexpr ImplementationID kPersistUIDDataImpl = 0x2030A;

// res: 0x20400; text: 0x20500; layout: 0x20600; ui: 0x20700; app: 0x20800.
