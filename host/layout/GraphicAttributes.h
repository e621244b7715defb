// GraphicAttributes: the graphic attributes a page item or an object style may hold, each present or absent:
// stroke colour, weight, tint, type, alignment and end cap, gap colour and tint, corner effect and size, line
// start and end shapes, fill colour and tint, overprint fill. Each class is named once here (its number,
// its name on the command line and in JSON, its kind of value and range, and the object style category that
// governs it), so that commands, persistence, checks and the front end agree.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "host/core/IDs.h"

class IPMStream;

enum class GraphicAttr : uint32_t {
  kStrokeColor = 28260,
  kStrokeWeight = 28261,
  kStrokeTint = 28262,
  kFillColor = 28264,
  kFillTint = 28265,
  kEndCap = 28267,
  kStrokeType = 28270,
  kCornerSize = 28272,
  kLineStart = 28273,
  kLineEnd = 28274,
  kOverprintFill = 28280,
  kGapColor = 28297,
  kGapTint = 28298,
  kStrokeAlignment = 28300,
  kCornerEffect = 0x20B20,
};

// What a value of a class is: a swatch or a stroke style of the document (by UID), a tint in percent (not a
// number reads as 100), a length in points, one of a set of numbers (an enumeration), or a switch.
enum class GraphicValueKind : uint8_t { kSwatch, kStrokeStyle, kTint, kLength, kEnum, kSwitch };

// The parts of an item's look an object style may govern, as bits.
enum ObjectStyleCategory : uint32_t {
  kFillCategory = 1u << 0,
  kStrokeCategory = 1u << 1,
  kCornerCategory = 1u << 2,
  kTextWrapCategory = 1u << 3,
  kTextFrameOptionsCategory = 1u << 4,
  kInsetsCategory = 1u << 5,
  kAnchoredObjectCategory = 1u << 6,
};
inline constexpr uint32_t kAllObjectStyleCategories = (1u << 7) - 1;

enum class StrokeAlignment : int32_t { kCenter = 0, kInside = 1, kOutside = 2 };
enum class EndCap : int32_t { kButt = 0, kRound = 1, kProjecting = 2 };
// The corner effects; the numbers are those the host's corner implementations go by.
enum class CornerEffect : int32_t {
  kNone = 0,
  kFancy = 23060,
  kBevel = 23061,
  kInset = 23062,
  kInverseRounded = 23063,
  kRounded = 23064,
};

struct GraphicAttrInfo {
  GraphicAttr cls;
  const char* name;  // "strokeWeight": the command line's and JSON's name
  GraphicValueKind kind;
  double min;  // the range of a tint, length or enumeration
  double max;
  uint32_t category;
  bool strokeDetail;  // one of the stroke's attributes that a stroke weight of 0 leaves alone
};

// Every class, in the order JSON lists them.
std::span<const GraphicAttrInfo> GraphicAttrInfos();
// Null for a number or a name that names no class.
const GraphicAttrInfo* FindGraphicAttr(GraphicAttr cls);
const GraphicAttrInfo* FindGraphicAttr(std::string_view name);

// One attribute: its class and value. `ref` holds a swatch or stroke style, `number` anything else (a
// switch as 0 or 1, an enumeration as its number).
struct GraphicAttribute {
  GraphicAttr cls{};
  double number = 0;
  UID ref;
  bool operator==(const GraphicAttribute&) const = default;
};

// A tint as it applies: 100 for a tint that is not a number.
double EffectiveTint(double tint);
// Whether two values of the same class are equal: references exactly, numbers within 1e-8, tints as they
// apply (not a number equals 100).
bool SameGraphicValue(const GraphicAttribute& a, const GraphicAttribute& b);
// Empty when `a` is a value its class can hold; otherwise why not ("strokeTint is out of range"). References
// are checked against the document elsewhere.
std::string GraphicValueFault(const GraphicAttribute& a);

// A set of attributes, at most one per class, kept sorted by class.
class GraphicAttributeList {
 public:
  const std::vector<GraphicAttribute>& Values() const { return values_; }
  bool empty() const { return values_.empty(); }
  // Null when the list has no value of `cls`.
  const GraphicAttribute* Find(GraphicAttr cls) const;
  // Adds `a`, replacing the value of its class.
  void Set(const GraphicAttribute& a);
  void Remove(GraphicAttr cls);
  bool operator==(const GraphicAttributeList&) const = default;
  // Moves the list; reading a class that does not exist, one twice, or a value out of range marks the data
  // damaged, naming `owner` ("a page item's graphic attributes").
  void ReadWrite(IPMStream* stream, const char* owner);

 private:
  std::vector<GraphicAttribute> values_;
};
