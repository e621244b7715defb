// The option bits of a tagged-text writer.
#pragma once

#include <cstdint>

namespace kesto {

// Write the version and encoding header even in fragment mode.
inline constexpr uint32_t kPutHeaderAlways = 0x2;
inline constexpr uint32_t kPutHeaderAlways2 = 0x4;
// Fragment: no header and no style-sheet definitions, for appending to existing tagged text.
inline constexpr uint32_t kPutFragment = 0x8;
// Every attribute in its own angle brackets; type-style letters one tag each.
inline constexpr uint32_t kPutOneAttributePerTag = 0x10;
// Parameters equal to their default are left out (page items).
inline constexpr uint32_t kPutCompact = 0x20;
// The first paragraph's attributes, respectively the first run's, are taken as in force already.
inline constexpr uint32_t kPutFirstParagraphInForce = 0x80;
inline constexpr uint32_t kPutFirstRunInForce = 0x100;
// Define every style sheet of the document, not only those the output uses.
inline constexpr uint32_t kPutAllStyles = 0x400;
// The header and the style-sheet definitions, no text.
inline constexpr uint32_t kPutStylesOnly = 0x800;
// No text characters: only tags (and page items).
inline constexpr uint32_t kPutNoText = 0x800000;

}  // namespace kesto
