// Identifiers of hyperlinks, destinations, text anchors and the data plug-ins keep on page items, all from
// the block 0x20B80.
#pragma once

#include "host/core/IDs.h"

// Classes.
inline constexpr ClassID kTextAnchorBoss = 0x20B80;
inline constexpr ClassID kSetDestinationCmdBoss = 0x20B81;
inline constexpr ClassID kNewHyperlinkCmdBoss = 0x20B82;
inline constexpr ClassID kCreateTextAnchorCmdBoss = 0x20B83;
inline constexpr ClassID kSetItemPlugInDataCmdBoss = 0x20B84;
inline constexpr ClassID kDeleteHyperlinkCmdBoss = 0x20B85;

// Interfaces.
inline constexpr PMIID IID_IHYPERLINKTABLE = 0x20B80;
inline constexpr PMIID IID_ITEXTANCHOR = 0x20B81;
inline constexpr PMIID IID_IITEMPLUGINDATA = 0x20B82;
inline constexpr PMIID IID_IHYPERLINKCMDDATA = 0x20B83;
// The protocol on the document's subject on which hyperlink, destination, anchor and item data changes go.
inline constexpr PMIID IID_IHYPERLINKCHANGES = 0x20B84;

// Implementations.
inline constexpr ImplementationID kHyperlinkTableImpl = 0x20B80;
inline constexpr ImplementationID kTextAnchorImpl = 0x20B81;
inline constexpr ImplementationID kItemPlugInDataImpl = 0x20B82;
inline constexpr ImplementationID kHyperlinkCmdDataImpl = 0x20B83;
// The commands' implementations take the IDs from here on, one per command class.
inline constexpr ImplementationID kHyperlinkCmdImplBase = 0x20B90;
