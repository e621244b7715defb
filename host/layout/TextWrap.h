// TextWrap: how an item pushes text aside: the mode (none, bounding box, jump object, next column, contour),
// the side text keeps to, whether the wrap is inverted (text inside the item only), the four offsets of the
// wrap area from the item's bounds, and the contour's options. The modes keep the numbers the host stores.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class IPMStream;

enum class WrapMode : int32_t {
  kNone = 0,
  kJumpObject = 1,
  kNextColumn = 2,
  kBoundingBox = 3,
  kContour = 6,
};

enum class WrapSide : int32_t {
  kBothSides = 0,
  kLeftSide = 1,
  kRightSide = 2,
  kTowardsSpine = 3,
  kAwayFromSpine = 4,
  kLargestArea = 5,
};

// What a contour follows: 0 the bounding box, 1 detected edges, 2 an alpha channel, 3 a path, 4 the graphic
// frame, 5 the same as clipping.
inline constexpr int32_t kMaxContourType = 5;

struct ContourOptions {
  int32_t type = 0;
  bool includeInsideEdges = false;
  int32_t tolerance = 0;  // 0..255
  double threshold = 0;   // 0..10
  int32_t index = 0;      // the channel or path, 0..32767
  bool operator==(const ContourOptions&) const = default;
};

inline constexpr double kMaxWrapOffset = 1000;
// An offset handed to the wrap command as this keeps the item's own.
inline constexpr double kKeepWrapOffset = 65535;

struct TextWrapSettings {
  WrapMode mode = WrapMode::kNone;
  WrapSide side = WrapSide::kBothSides;
  bool invert = false;
  std::array<double, 4> offsets{};  // top, left, bottom, right, in points
  ContourOptions contour;
  bool operator==(const TextWrapSettings&) const = default;
  double Top() const { return offsets[0]; }
  double Left() const { return offsets[1]; }
  double Bottom() const { return offsets[2]; }
  double Right() const { return offsets[3]; }
};

// Whether two settings are equal, reals within 1e-8.
bool SameWrap(const TextWrapSettings& a, const TextWrapSettings& b);
// Empty when the settings hold values that exist; otherwise why not ("the wrap mode is out of range").
std::string WrapFault(const TextWrapSettings& wrap);
// Moves settings; reading settings WrapFault refuses marks the data damaged, naming `owner`.
void XferTextWrap(IPMStream* stream, TextWrapSettings& wrap, const char* owner);

// The command line's and JSON's names: "none", "bounding-box", "jump", "next-column", "contour"; "both",
// "left", "right", "towards-spine", "away-from-spine", "largest".
const char* WrapModeName(WrapMode mode);
bool WrapModeOfName(const std::string& name, WrapMode& mode);
const char* WrapSideName(WrapSide side);
bool WrapSideOfName(const std::string& name, WrapSide& side);
