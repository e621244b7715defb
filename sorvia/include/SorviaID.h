// Sorvia's identifiers: its block of 256 IDs from 0xA6700, its plug-in ID and version string, and the
// classes, interfaces and implementations of the text-thread engine. The implementation IDs key Sorvia's data
// inside saved documents and never change.
#pragma once

#include "host/core/IDs.h"

namespace sorvia {

inline constexpr uint32_t kSorviaPrefix = 0xA6700;
inline constexpr PluginID kSorviaPluginID = kSorviaPrefix + 2;
inline constexpr const char* kSorviaPluginName = "Sorvia";
// The Sorvia UI plug-in refuses to load unless this string equals its own.
inline constexpr const char* kSorviaVersion = "1.0.0.1";

// Interfaces.
inline constexpr PMIID IID_IAUTOFLOWPREFSDATA = kSorviaPrefix + 0x14;
inline constexpr PMIID IID_ISORVIASUITE = kSorviaPrefix + 0x15;
inline constexpr PMIID IID_ITEXTTHREADDATA = kSorviaPrefix + 0x16;
inline constexpr PMIID IID_ITEXTTHREADLIST = kSorviaPrefix + 0x17;
inline constexpr PMIID IID_ITEXTTHREADMANAGER = kSorviaPrefix + 0x18;
inline constexpr PMIID IID_ITHREADREFERENCE = kSorviaPrefix + 0x19;  // on a story's frame list
inline constexpr PMIID IID_IDOCTHREADOBSERVER = kSorviaPrefix + 0x1A;
inline constexpr PMIID IID_ITHREADORPHAN = kSorviaPrefix + 0x1B;  // on a story's frame list
inline constexpr PMIID IID_IPREVIOUSPAGEDATA = kSorviaPrefix + 0x1C;
inline constexpr PMIID IID_IOVERRIDEFRAMESDATA = kSorviaPrefix + 0x60;

// Classes.
inline constexpr ClassID kSetAutoFlowPrefsCmdBoss = kSorviaPrefix + 0x1B;
inline constexpr ClassID kTextThreadBoss = kSorviaPrefix + 0x1C;
inline constexpr ClassID kNewTextThreadCmdBoss = kSorviaPrefix + 0x1D;
inline constexpr ClassID kSetTextThreadCmdBoss = kSorviaPrefix + 0x1F;
inline constexpr ClassID kDeleteTextThreadCmdBoss = kSorviaPrefix + 0x20;
inline constexpr ClassID kSetTextThreadUIDCmdBoss = kSorviaPrefix + 0x21;
inline constexpr ClassID kOverrideMasterFrameCmdBoss = kSorviaPrefix + 0x25;
inline constexpr ClassID kSetThreadOrphanCmdBoss = kSorviaPrefix + 0x27;
inline constexpr ClassID kNullCmdBoss = kSorviaPrefix + 0x28;
inline constexpr ClassID kThreadSendBehindCmdBoss = kSorviaPrefix + 0x2C;
// Providers of host services: pagehost's layout operations, inspect members and preferences.
inline constexpr ClassID kThreadLayoutOperationsBoss = kSorviaPrefix + 0x60;
inline constexpr ClassID kThreadInspectMemberBoss = kSorviaPrefix + 0x61;
inline constexpr ClassID kAutoFlowPrefsProviderBoss = kSorviaPrefix + 0x62;

// Implementations.
inline constexpr ImplementationID kAutoFlowPrefsDataImpl = kSorviaPrefix + 0x34;
inline constexpr ImplementationID kPersistAutoFlowPrefsDataImpl = kSorviaPrefix + 0x35;
inline constexpr ImplementationID kSetAutoFlowPrefsCmdImpl = kSorviaPrefix + 0x36;
inline constexpr ImplementationID kPersistTextThreadDataImpl = kSorviaPrefix + 0x37;
inline constexpr ImplementationID kPersistTextThreadListImpl = kSorviaPrefix + 0x38;
inline constexpr ImplementationID kTextThreadManagerImpl = kSorviaPrefix + 0x39;
inline constexpr ImplementationID kNewTextThreadCmdImpl = kSorviaPrefix + 0x3A;
inline constexpr ImplementationID kSetTextThreadCmdImpl = kSorviaPrefix + 0x3C;
inline constexpr ImplementationID kDeleteTextThreadCmdImpl = kSorviaPrefix + 0x3D;
inline constexpr ImplementationID kSetTextThreadUIDCmdImpl = kSorviaPrefix + 0x3E;
inline constexpr ImplementationID kThreadSendBehindCmdImpl = kSorviaPrefix + 0x3F;
inline constexpr ImplementationID kOverrideMasterFrameCmdImpl = kSorviaPrefix + 0x42;
inline constexpr ImplementationID kPersistUIDRefDataImpl = kSorviaPrefix + 0x44;
inline constexpr ImplementationID kPersistBoolDataImpl = kSorviaPrefix + 0x45;
inline constexpr ImplementationID kSetThreadOrphanCmdImpl = kSorviaPrefix + 0x46;
inline constexpr ImplementationID kTextThreadDataImpl = kSorviaPrefix + 0x48;
inline constexpr ImplementationID kNullCmdImpl = kSorviaPrefix + 0x49;
inline constexpr ImplementationID kSorviaSuiteASBImpl = kSorviaPrefix + 0x4D;
inline constexpr ImplementationID kSorviaSuiteLayoutCSBImpl = kSorviaPrefix + 0x4E;
inline constexpr ImplementationID kSorviaSuiteTextCSBImpl = kSorviaPrefix + 0x4F;
inline constexpr ImplementationID kOverrideFramesDataImpl = kSorviaPrefix + 0x60;
inline constexpr ImplementationID kPreviousPageDataImpl = kSorviaPrefix + 0x61;
inline constexpr ImplementationID kThreadLayoutOperationsImpl = kSorviaPrefix + 0x62;
inline constexpr ImplementationID kThreadInspectMemberImpl = kSorviaPrefix + 0x63;
inline constexpr ImplementationID kAutoFlowPrefsProviderImpl = kSorviaPrefix + 0x64;

}  // namespace sorvia
