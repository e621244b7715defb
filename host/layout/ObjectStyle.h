// ObjectStyle: a named set of looks an item may follow: graphic attributes, text wrap, text-frame options and
// insets, each governed by the style when its category is among the style's categories. A style may be based
// on another: it takes what the other governs and adds or replaces what it governs itself. A document always
// has its three defaults: [None] (for items of no particular kind), [Basic Graphics Frame] and [Basic Text
// Frame]. Styles are named by a number of their document's (kInvalidObjectStyle: none) that never changes.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/WideString.h"
#include "host/layout/FrameOptions.h"
#include "host/layout/GraphicAttributes.h"
#include "host/layout/TextWrap.h"

using ObjectStyleID = int32_t;
inline constexpr ObjectStyleID kInvalidObjectStyle = 0;
inline constexpr ObjectStyleID kNoneObjectStyle = 1;
inline constexpr ObjectStyleID kGraphicFrameObjectStyle = 2;
inline constexpr ObjectStyleID kTextFrameObjectStyle = 3;
inline constexpr int32_t kMaxObjectStyles = 10000;
inline constexpr ObjectStyleID kMaxObjectStyleID = 1 << 30;
inline constexpr size_t kMaxObjectStyleNameLength = 256;

// The kinds of item that have a default style.
enum class ObjectStyleKind : uint8_t { kGeneral, kGraphic, kText };
// "general", "graphic", "text".
const char* ObjectStyleKindName(ObjectStyleKind kind);
bool ObjectStyleKindOfName(const std::string& name, ObjectStyleKind& kind);
ObjectStyleID DefaultObjectStyle(ObjectStyleKind kind);

struct ObjectStyle {
  ObjectStyleID id = kInvalidObjectStyle;
  WideString name;
  ObjectStyleID basedOn = kInvalidObjectStyle;
  uint32_t categories = 0;  // ObjectStyleCategory bits
  GraphicAttributeList attributes;
  TextWrapSettings wrap;
  FrameOptions frame;  // its options without the insets, and the insets, as the categories say
  bool operator==(const ObjectStyle&) const = default;
  bool Governs(uint32_t category) const { return (categories & category) != 0; }
};

// The three defaults a document starts with.
std::vector<ObjectStyle> DefaultObjectStyles();
// Moves a style (not its id); reading values out of range marks the data damaged.
void XferObjectStyle(IPMStream* stream, ObjectStyle& style);
