// Box description records: what a box tag says about a box (kind, shape, corners, transform, frame and
// fill, wrap, text-frame options, picture), filled by the scanner, applied to a page item by the builder
// and read back from one for the writer. Every member has an unset value (UnsetValues.h); applying
// touches only what is set and never changes the record.
#pragma once

#include <array>
#include <cstdint>

#include "host/core/WideString.h"
#include "host/layout/Geometry.h"
#include "kesto/layout/UnsetValues.h"
#include "kesto/model/VyColorDesc.h"
#include "kesto/model/VyStrokeTypeDesc.h"

namespace kesto {

class XPageItem;

enum BoxKind : int32_t { kBoxEmpty = 1, kBoxText = 2, kBoxPicture = 3 };
// Shapes 2–4 are a rectangle with one of three corner options.
enum BoxShape : int32_t {
  kShapeLine = 0,
  kShapeRectangle = 1,
  kShapeCornerFirst = 2,
  kShapeCornerLast = 4,
  kShapeOval = 5
};

class VyBasePageItemInfo {
 public:
  virtual ~VyBasePageItemInfo() = default;
  // Fills the record from `item` (bounds in its spread's coordinates); members the item cannot tell stay
  // as they are.
  virtual void ReadFrom(const XPageItem& item);
  // Kind 1, shape 1, all corners 0.
  virtual void Reset();
  // Answers the first host error of the steps (0: done); a refused step does not undo earlier ones.
  virtual int32_t ApplyTo(XPageItem& item) const;

  int32_t kind = kBoxEmpty;
  int32_t shape = kShapeRectangle;
  PMRect bounds;  // points; lines run from (left, top) to (right, bottom)
};

// The wrap of text around a box; host wrap modes and sides, offsets each unset on its own.
struct VyTextWrap {
  int32_t mode = 11;  // 11: unset
  int32_t side = 6;   // 6: unset
  int8_t invert = kUnsetSwitch;
  std::array<double, 4> offsets = {kUnsetReal, kUnsetReal, kUnsetReal,
                                   kUnsetReal};  // left, top, right, bottom
  double distance = kUnsetReal;
  double threshold = kUnsetReal;
  double tolerance = kUnsetReal;
  int32_t pathIndex = -1;
  int8_t insideEdges = kUnsetSwitch;
  int8_t further = kUnsetSwitch;
  bool AnySet() const;
};

// A line's start or end decoration: selector 0 leaves it, 1 without a name removes it, otherwise the host
// line-end style of that name.
struct VyLineEnd {
  int32_t selector = 0;
  WideString name;
};

class VyPageItemInfo : public VyBasePageItemInfo {
 public:
  void ReadFrom(const XPageItem& item) override;
  void Reset() override;
  int32_t ApplyTo(XPageItem& item) const override;

  double rotation = kUnsetReal;  // degrees, -360..360
  double skew = kUnsetReal;      // degrees, -75..75
  uint8_t flipHorizontal = kUnsetByte;
  uint8_t flipVertical = kUnsetByte;
  WideString objectStyle;
  double cornerRadius = kUnsetReal;
  double strokeWeight = kUnsetReal;  // 0..504
  VyColorDesc strokeColor;
  double strokeTint = kUnsetReal;
  VyColorDesc gapColor;
  double gapTint = kUnsetReal;
  int32_t strokeAlignment = 3;  // 0..2, 3 unset
  VyStrokeTypeDesc strokeType;
  VyLineEnd lineStart, lineEnd;
  int32_t endCap = -1;  // 0..2
  VyColorDesc fillColor;
  double fillTint = kUnsetReal;  // 0..1
  int8_t overprintFill = kUnsetSwitch;
  VyTextWrap wrap;
  uint8_t locked = 0;         // read back only
  uint8_t wrapFromStyle = 0;  // read back only
  uint8_t overprintRead = 0;  // read back only

 protected:
  // The parts that wait for the host's graphic attributes, object styles and text wrap; each answers 0
  // and changes nothing until the host offers them.
  int32_t ApplyObjectStyle(XPageItem& item) const;
  int32_t ApplyGraphicAttributes(XPageItem& item) const;
  int32_t ApplyTextWrap(XPageItem& item) const;

 private:
  int32_t ApplyTransform(XPageItem& item) const;
};

class VyTextItemInfo : public VyPageItemInfo {
 public:
  void ReadFrom(const XPageItem& item) override;
  void Reset() override;
  int32_t ApplyTo(XPageItem& item) const override;

  int32_t columns = kUnsetCount;  // 1..30
  double gutter = kUnsetReal;     // 0..288
  std::array<double, 4> insets = {kUnsetReal, kUnsetReal, kUnsetReal,
                                  kUnsetReal};  // left, top, right, bottom
  int32_t firstBaselineType = 6;                // 0..5, 6 unset
  int32_t verticalJustification = 4;            // 0..3, 4 unset
  double firstBaselineMinimum = kUnsetReal;     // 0..648
  double paragraphSpacingLimit = kUnsetReal;    // 0..1080
  // Carried for the writer; the host has no such option yet.
  int32_t furtherOption = 5;
};

class VyImageItemInfo : public VyPageItemInfo {
 public:
  void Reset() override;
  int32_t ApplyTo(XPageItem& item) const override;

  int32_t fitting = 1;
  int32_t fitAnchor = kUnsetCount;
  double scaleX = kUnsetReal, scaleY = kUnsetReal;    // percent
  double offsetX = kUnsetReal, offsetY = kUnsetReal;  // points
  double pictureRotation = kUnsetReal, pictureSkew = kUnsetReal;
  WideString reference;  // file path or URI; empty: no picture
  WideString fileTypeHint;
  int32_t page = 1;
  int32_t cropKind = 1;
  bool placement = false;

 private:
  // Waits for the host's pictures: answers 0 and places nothing until it offers them.
  int32_t ApplyPicture(XPageItem& item) const;
};

}  // namespace kesto
