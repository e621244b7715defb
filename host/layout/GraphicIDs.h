// Identifiers of how page items look: graphic attributes, object styles and text wrap, from the block
// 0x20B00..0x20B7F. The graphic attribute classes keep the fixed numbers that plug-ins name them by.
#pragma once

#include "host/core/IDs.h"

// Interfaces (on page items: graphic attributes, wrap, object style; on the document: the style list).
inline constexpr PMIID IID_IGRAPHICATTRIBUTES = 0x20B00;
inline constexpr PMIID IID_ITEXTWRAP = 0x20B01;
inline constexpr PMIID IID_IITEMOBJECTSTYLE = 0x20B02;
inline constexpr PMIID IID_IOBJECTSTYLELIST = 0x20B03;
inline constexpr PMIID IID_IITEMLOOKCMDDATA = 0x20B04;
// Protocol on the document's subject: object styles made.
inline constexpr PMIID IID_IOBJECTSTYLECHANGES = 0x20B05;

// Implementations.
inline constexpr ImplementationID kGraphicAttributesImpl = 0x20B00;
inline constexpr ImplementationID kTextWrapImpl = 0x20B01;
inline constexpr ImplementationID kItemObjectStyleImpl = 0x20B02;
inline constexpr ImplementationID kObjectStyleListImpl = 0x20B03;
inline constexpr ImplementationID kItemLookCmdDataImpl = 0x20B04;
inline constexpr ImplementationID kItemLookCmdImplBase = 0x20B10;  // one per command class from here

// The provider of the layout operations for how items look.
inline constexpr ClassID kItemLookOperationsBoss = 0x20B08;
inline constexpr ImplementationID kItemLookOperationsImpl = 0x20B08;

// Command classes (their class is also the change they announce).
inline constexpr ClassID kApplyGraphicAttributesCmdBoss = 0x20B00;
inline constexpr ClassID kSetTextWrapCmdBoss = 0x20B01;
inline constexpr ClassID kNewObjectStyleCmdBoss = 0x20B02;
inline constexpr ClassID kApplyObjectStyleCmdBoss = 0x20B03;
