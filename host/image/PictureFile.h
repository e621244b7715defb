// PictureFile: reading a picture file's header for placing it, and the stamp (size, modification time) by
// which a placed file is later found changed or missing.
#pragma once

#include <cstdint>
#include <filesystem>

#include "host/image/ImageIDs.h"
#include "host/image/PictureInfo.h"

// The most bytes of a picture file the host reads to place it; longer files are refused.
inline constexpr int64_t kMaxPictureFileBytes = int64_t{512} << 20;

struct FileStamp {
  int64_t size = 0;
  int64_t modified = 0;  // nanoseconds since 1970-01-01 UTC
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file: kSuccess, kFileNotFoundError when nothing is there, kPictureFileError for a
// folder or anything else that is no regular file.
ErrorCode StampFile(const std::filesystem::path& path, FileStamp& stamp);

// Reads the header of the picture at `path` (page `page` of a PDF, 1-based) and its stamp. Reads the first
// bytes only, unless the format keeps what placing needs further on (TIFF directories); a PDF is read by
// poppler's pdfinfo in place. Answers kSuccess, kFileNotFoundError, kPictureFileError, or a reader's code
// (PictureHeaders.h).
ErrorCode ReadPictureFile(const std::filesystem::path& path, int32_t page, PictureInfo& info,
                          FileStamp& stamp);

// A sentence for the user about a code ReadPictureFile answers: "is no picture the host can place" ...
const char* PictureFaultText(ErrorCode code);
