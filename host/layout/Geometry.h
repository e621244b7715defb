// Geometry of the layout: points, rectangles and an item's transform, in points with y growing downward.
#pragma once

#include <cmath>

// The largest coordinate (in points, either sign) the host accepts for a page size, a bounds edge or an
// offset; anything beyond is refused, so that sums of coordinates stay exact and finite.
inline constexpr double kMaxCoordinate = 100000.0;

struct PMPoint {
  double x = 0;
  double y = 0;
  bool operator==(const PMPoint&) const = default;
};

struct PMRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  PMPoint Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
  // Edges included, so that an item centred on the line between two pages belongs to the left one.
  bool Contains(PMPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
  PMRect Moved(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  // Left not beyond right, top not below bottom, every edge finite and within kMaxCoordinate.
  bool IsValid() const;
  bool operator==(const PMRect&) const = default;
};

inline bool IsValidCoordinate(double v) {
  return std::isfinite(v) && std::fabs(v) <= kMaxCoordinate;
}

inline bool PMRect::IsValid() const {
  return IsValidCoordinate(left) && IsValidCoordinate(top) && IsValidCoordinate(right) &&
         IsValidCoordinate(bottom) && left <= right && top <= bottom;
}

// An item's transform about the centre of its bounds: scale, skew (degrees, along x), rotation (degrees,
// counter-clockwise) and flips. The bounds stay the untransformed box.
struct ItemTransform {
  double scaleX = 1;
  double scaleY = 1;
  double skew = 0;
  double rotation = 0;
  bool flipHorizontal = false;
  bool flipVertical = false;
  bool IsIdentity() const { return *this == ItemTransform{}; }
  // Finite values, non-zero scales, skew within (-90, 90).
  bool IsValid() const {
    return std::isfinite(scaleX) && std::isfinite(scaleY) && scaleX != 0 && scaleY != 0 &&
           std::isfinite(rotation) && std::isfinite(skew) && std::fabs(skew) < 90;
  }
  bool operator==(const ItemTransform&) const = default;
};

// Page margins in points, from the page's edges inward.
struct Margins {
  double top = 36;
  double left = 36;
  double bottom = 36;
  double right = 36;
  bool operator==(const Margins&) const = default;
};
