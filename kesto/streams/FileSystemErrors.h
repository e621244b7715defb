// FileSystemErrors: the file-system result codes of the stream layer (0 is success), the one table that
// turns operating-system errors into them, and their user-visible texts.
#pragma once

#include <cstdint>
#include <string_view>

namespace kesto {

inline constexpr int16_t kNoFileError = 0;
inline constexpr int16_t kDirectoryFullErr = -33;
inline constexpr int16_t kDiskFullErr = -34;
inline constexpr int16_t kNoSuchVolumeErr = -35;
inline constexpr int16_t kIOErr = -36;
inline constexpr int16_t kBadFileNameErr = -37;
inline constexpr int16_t kEndOfFileErr = -39;
inline constexpr int16_t kTooManyFilesOpenErr = -42;
inline constexpr int16_t kFileNotFoundErr = -43;
inline constexpr int16_t kWriteProtectedErr = -44;
inline constexpr int16_t kFileLockedErr = -45;
inline constexpr int16_t kFileBusyErr = -47;
inline constexpr int16_t kDuplicateFileNameErr = -48;
inline constexpr int16_t kOpenForWritingErr = -49;
inline constexpr int16_t kParamErr = -50;
inline constexpr int16_t kBadFileRefErr = -51;
inline constexpr int16_t kVolumeOffLineErr = -53;
inline constexpr int16_t kPermissionErr = -54;
inline constexpr int16_t kWriteErr = -61;
inline constexpr int16_t kOutOfMemoryErr = -108;
inline constexpr int16_t kDirectoryNotFoundErr = -120;
inline constexpr int16_t kNoMoreFilesErr = -1417;

// Whether the failing operation read or wrote: permission refused to a writer means the file is locked
// against writing, to a reader that someone else holds it.
enum class FileAccess { kRead, kWrite };

// The file-system code of an errno value met while opening, reading or writing a file; 0 for 0, kIOErr
// for any value the table does not name.
int16_t FileErrorFromErrno(int error, FileAccess access);

// The text shown for a file-system code ("Disk is full."); "Unknown Error" for a code that has none.
std::string_view FileErrorMessage(int16_t code);

// The codes with a text form a numbered table (from 1, in the order of the facade's host error codes):
// the row of a code, 0 when it has none; the code of a row, 0 past the table.
int FileErrorRow(int32_t code);
int16_t FileErrorAtRow(int row);

}  // namespace kesto
