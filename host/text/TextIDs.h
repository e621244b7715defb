// Identifiers of the text area: stories and their storage blocks, attribute objects, styles, style tables,
// the story list and the text commands. Taken from the host's text block 0x20500; the attribute classes
// that plug-ins name by number keep their numbers (host/text/AttributeClasses.h).
#pragma once

#include "host/core/IDs.h"

// Classes.
inline constexpr ClassID kTextStoryBoss = 0x20500;
inline constexpr ClassID kTextChunkBoss = 0x20501;
inline constexpr ClassID kCharRunChunkBoss = 0x20502;
inline constexpr ClassID kStyleBoss = 0x20503;
inline constexpr ClassID kOpaqueTextAttributeBoss = 0x20504;
inline constexpr ClassID kInsertTextCmdBoss = 0x20510;
inline constexpr ClassID kDeleteTextCmdBoss = 0x20511;
inline constexpr ClassID kCopyTextCmdBoss = 0x20512;
inline constexpr ClassID kApplyParaStyleCmdBoss = 0x20513;
inline constexpr ClassID kApplyCharStyleCmdBoss = 0x20514;
inline constexpr ClassID kApplyOverridesCmdBoss = 0x20515;
inline constexpr ClassID kClearOverridesCmdBoss = 0x20516;
inline constexpr ClassID kCreateStyleCmdBoss = 0x20517;
inline constexpr ClassID kEditStyleCmdBoss = 0x20518;
inline constexpr ClassID kNewStoryCmdBoss = 0x20519;
inline constexpr ClassID kDeleteStoryCmdBoss = 0x2051A;

// Interfaces.
inline constexpr PMIID IID_ITEXTMODEL = 0x20500;
inline constexpr PMIID IID_ITEXTCHUNK = 0x20501;
inline constexpr PMIID IID_ICHARRUNCHUNK = 0x20502;
inline constexpr PMIID IID_ITEXTATTRIBUTE = 0x20503;
inline constexpr PMIID IID_ISTYLEINFO = 0x20504;
inline constexpr PMIID IID_IPARASTYLETABLE = 0x20505;
inline constexpr PMIID IID_ICHARSTYLETABLE = 0x20506;
inline constexpr PMIID IID_ISTORYLIST = 0x20507;
inline constexpr PMIID IID_ITEXTRANGEDATA = 0x20510;
inline constexpr PMIID IID_ITEXTATTRIBUTEDATA = 0x20511;
inline constexpr PMIID IID_ISTYLEDATA = 0x20512;
inline constexpr PMIID IID_ITEXTCOPYDATA = 0x20513;

// Implementations.
inline constexpr ImplementationID kTextStoryImpl = 0x20500;
inline constexpr ImplementationID kTextChunkImpl = 0x20501;
inline constexpr ImplementationID kCharRunChunkImpl = 0x20502;
inline constexpr ImplementationID kTextAttributeImpl = 0x20503;
inline constexpr ImplementationID kOpaqueTextAttributeImpl = 0x20504;
inline constexpr ImplementationID kStyleInfoImpl = 0x20505;
inline constexpr ImplementationID kParaStyleTableImpl = 0x20506;
inline constexpr ImplementationID kCharStyleTableImpl = 0x20507;
inline constexpr ImplementationID kStoryListImpl = 0x20508;
inline constexpr ImplementationID kTextRangeDataImpl = 0x20510;
inline constexpr ImplementationID kTextAttributeDataImpl = 0x20511;
inline constexpr ImplementationID kStyleDataImpl = 0x20512;
inline constexpr ImplementationID kTextCopyDataImpl = 0x20513;
inline constexpr ImplementationID kInsertTextCmdImpl = 0x20520;
inline constexpr ImplementationID kDeleteTextCmdImpl = 0x20521;
inline constexpr ImplementationID kCopyTextCmdImpl = 0x20522;
inline constexpr ImplementationID kApplyParaStyleCmdImpl = 0x20523;
inline constexpr ImplementationID kApplyCharStyleCmdImpl = 0x20524;
inline constexpr ImplementationID kApplyOverridesCmdImpl = 0x20525;
inline constexpr ImplementationID kClearOverridesCmdImpl = 0x20526;
inline constexpr ImplementationID kCreateStyleCmdImpl = 0x20527;
inline constexpr ImplementationID kEditStyleCmdImpl = 0x20528;
inline constexpr ImplementationID kNewStoryCmdImpl = 0x20529;
inline constexpr ImplementationID kDeleteStoryCmdImpl = 0x2052A;
