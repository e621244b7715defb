// BuilderCodes: the codes with which the box builder reports what it could not do; code n is entry n of
// the builder's message list. Codes 11 and 16 mark a box skipped on purpose and are never reported.
#pragma once

#include <cstdint>

namespace kesto {

inline constexpr int32_t kBuildCannotCreateBox = 3;
inline constexpr int32_t kBuildCannotAnchor = 4;
inline constexpr int32_t kBuildCannotImportPicture = 5;
inline constexpr int32_t kBuildPictureNotFound = 6;
inline constexpr int32_t kBuildCannotApplyMaster = 7;
inline constexpr int32_t kBuildTooLargeForSpread = 8;
inline constexpr int32_t kBuildPlacementFailed = 9;
inline constexpr int32_t kBuildNotInMainFlow = 10;
inline constexpr int32_t kBuildBoxesNotAllowed = 11;  // quiet
inline constexpr int32_t kBuildNestedTooDeep = 12;
inline constexpr int32_t kBuildNoFrameAtText = 14;
inline constexpr int32_t kBuildSkipped = 16;  // quiet
inline constexpr int32_t kBuildUnmatchedEnd = 17;
inline constexpr int32_t kBuildTextOverflow = 18;
inline constexpr int32_t kBuildReferenceOutOfRange = 19;
inline constexpr int32_t kBuildNoSuchBox = 20;
inline constexpr int32_t kBuildAlreadyGrouped = 21;
inline constexpr int32_t kBuildNotSameSpread = 22;
inline constexpr int32_t kBuildFitTextEmpty = 25;
inline constexpr int32_t kBuildFitGeneral = 29;
inline constexpr int32_t kBuildCannotCreateLayer = 42;
inline constexpr int32_t kBuildCannotThreadAnchored = 53;
inline constexpr int32_t kBuildCannotThread = 54;

// Whether `code` is reported (the quiet skips are not).
inline bool IsReportedBuildCode(int32_t code) {
  return code != 0 && code != kBuildBoxesNotAllowed && code != kBuildSkipped;
}

}  // namespace kesto
