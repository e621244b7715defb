// Identifiers of the picture area: the error codes its readers answer. Taken from the block 0x20C00 that
// pictures and links share with their layout objects (host/layout/PictureIDs.h).
#pragma once

#include "host/core/IDs.h"

// The bytes are no picture of a format the host reads (whatever the file's name says).
inline constexpr ErrorCode kPictureFormatError = 0x20C00;
// The file starts like a picture of a known format but is damaged or cut short.
inline constexpr ErrorCode kPictureDamagedError = 0x20C01;
// The picture declares a size beyond kMaxPictureSide or kMaxPicturePixels, or a size in points beyond
// the layout's coordinate limit; refused before anything is allocated for it.
inline constexpr ErrorCode kPictureTooLargeError = 0x20C02;
// A PDF page that the document does not have.
inline constexpr ErrorCode kPicturePageError = 0x20C03;
// The picture file cannot be read: missing, a folder, unreadable, or longer than kMaxPictureFileBytes.
inline constexpr ErrorCode kPictureFileError = 0x20C04;
// A URI of a scheme other than "file" (http, https ...): the host places files only, so the caller fetches
// the picture first. The number is the one plug-ins written for the host's import service expect.
inline constexpr ErrorCode kCannotImportURIError = 35869;
// A PDF document protected by a password.
inline constexpr ErrorCode kPictureLockedError = 0x20C05;
