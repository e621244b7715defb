// PictureHeaders: the header readers, one per format, each over bytes in memory. They read only what
// placing needs (size, resolution, pages) and never decode the image; declared sizes are checked against
// kMaxPictureSide and kMaxPicturePixels and allocate nothing. Each answers kSuccess with `info` filled, or
// kPictureFormatError (not this format), kPictureDamagedError, kPictureTooLargeError, kPicturePageError or
// kPictureLockedError, leaving `info` unspecified. `page` (1-based) matters to PDF only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "host/image/ImageIDs.h"
#include "host/image/PictureInfo.h"

ErrorCode ReadPngHeader(const uint8_t* data, size_t size, PictureInfo& info);
ErrorCode ReadJpegHeader(const uint8_t* data, size_t size, PictureInfo& info);
ErrorCode ReadGifHeader(const uint8_t* data, size_t size, PictureInfo& info);
ErrorCode ReadTiffHeader(const uint8_t* data, size_t size, PictureInfo& info);
ErrorCode ReadWebPHeader(const uint8_t* data, size_t size, PictureInfo& info);
// PDF through poppler's pdfinfo program: the bytes go to a temporary file first. ReadPdfFile reads a file
// in place; kPictureFileError when the program cannot run.
ErrorCode ReadPdfHeader(const uint8_t* data, size_t size, int32_t page, PictureInfo& info);
ErrorCode ReadPdfFile(const std::filesystem::path& path, int32_t page, PictureInfo& info);

// The format the bytes start like (magic numbers only), kUnknown for none.
PictureFormat SniffPictureFormat(const uint8_t* data, size_t size);
// The reader for the format the bytes start like; kPictureFormatError when none claims them.
ErrorCode ReadPictureHeader(const uint8_t* data, size_t size, int32_t page, PictureInfo& info);

// Completes `info` once a reader has set the format, the pixel size and the resolution: resolutions out of
// range become 72 ppi, the size in points follows, and sizes beyond the limits answer kPictureTooLargeError.
ErrorCode FinishPictureInfo(PictureInfo& info);
