// Identifiers of pictures and links in the layout: the image item a graphic frame holds, link resources,
// a frame's placement options and the commands that change them. Block 0x20C00 (the picture readers' error
// codes, host/image/ImageIDs.h, take its first numbers).
#pragma once

#include "host/core/IDs.h"

inline constexpr ClassID kImageItemBoss = 0x20C10;  // a placed picture: the child of a graphic frame
inline constexpr ClassID kLinkResourceBoss = 0x20C11;

inline constexpr PMIID IID_IIMAGECONTENT = 0x20C10;
inline constexpr PMIID IID_ILINKRESOURCE = 0x20C11;
inline constexpr PMIID IID_ILINKLIST = 0x20C12;
inline constexpr PMIID IID_IPLACEMENTOPTIONS = 0x20C13;
inline constexpr PMIID IID_IPICTURECMDDATA = 0x20C14;
// Notification protocol of link changes (a link's file, state or stamp), on the document's subject.
inline constexpr PMIID IID_ILINKCHANGES = 0x20C15;

inline constexpr ClassID kPlacePictureCmdBoss = 0x20C20;
inline constexpr ClassID kRelinkCmdBoss = 0x20C21;
inline constexpr ClassID kSetPlacementOptionsCmdBoss = 0x20C22;

inline constexpr ImplementationID kImageContentImpl = 0x20C10;
inline constexpr ImplementationID kLinkResourceImpl = 0x20C11;
inline constexpr ImplementationID kLinkListImpl = 0x20C12;
inline constexpr ImplementationID kPlacementOptionsImpl = 0x20C13;
inline constexpr ImplementationID kPictureCmdDataImpl = 0x20C14;
inline constexpr ImplementationID kPlacePictureCmdImpl = 0x20C20;
inline constexpr ImplementationID kRelinkCmdImpl = 0x20C21;
inline constexpr ImplementationID kSetPlacementOptionsCmdImpl = 0x20C22;
