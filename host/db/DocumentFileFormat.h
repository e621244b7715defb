// The layout of document files (integers little-endian).
//
// Version 2:
//   signature "PGHDOC\r\n" (8 bytes), format version (u32), flags (u32, 0), next UID (u32), root UID (u32),
//   object count (u32), offset of the shared value table (u64)
//   per object: UID (u32), class ID (u32), implementation count (u32),
//               per implementation: implementation ID (u32), byte count (u32), bytes
//   the shared value table (SharedValueTable), which the objects' bytes name values of
//   end mark "PGHEND\r\n" (8 bytes), CRC-32 of everything before it (u32)
// The table follows the objects because it is complete only once they are written; its offset is filled in
// at the end, and the checksum is combined from the header's and the rest's.
//
// Version 3 differs from 2 only inside text blocks: their paragraph records are runs (a record with the
// number of paragraphs in a row that take it) rather than one record per paragraph.
//
// Version 1 has neither the table offset nor the table: each object keeps its values in its own bytes.
//
// Implementations that no loaded plug-in provides are written back with the bytes they were read with.
#pragma once

#include <cstddef>
#include <cstdint>

namespace DocumentFileFormat {

inline constexpr uint32_t kVersionWithoutSharedValues = 1;
inline constexpr uint32_t kVersionWithoutParagraphRuns = 2;
inline constexpr uint32_t kVersion = 3;

inline constexpr uint8_t kSignature[8] = {'P', 'G', 'H', 'D', 'O', 'C', '\r', '\n'};
inline constexpr uint8_t kEndMark[8] = {'P', 'G', 'H', 'E', 'N', 'D', '\r', '\n'};

// The header up to the object count, and with the table offset of version 2.
inline constexpr size_t kHeaderSizeVersion1 = 8 + 5 * 4;
inline constexpr size_t kHeaderSize = kHeaderSizeVersion1 + 8;
inline constexpr size_t kObjectHeaderSize = 12;
inline constexpr size_t kImplementationHeaderSize = 8;
// End mark and checksum.
inline constexpr size_t kTrailerSize = 8 + 4;

}  // namespace DocumentFileFormat
