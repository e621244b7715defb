// Text wrap settings.
#include "host/layout/TextWrap.h"

#include <cmath>
#include <utility>

#include "host/db/IPMStream.h"

namespace {

constexpr std::pair<WrapMode, const char*> kModeNames[] = {
    {WrapMode::kNone, "none"},       {WrapMode::kBoundingBox, "bounding-box"},
    {WrapMode::kJumpObject, "jump"}, {WrapMode::kNextColumn, "next-column"},
    {WrapMode::kContour, "contour"},
};

constexpr const char* kSideNames[] = {"both", "left", "right", "towards-spine", "away-from-spine", "largest"};

bool Same(double a, double b) {
  return std::fabs(a - b) < 1e-8;
}

}  // namespace

bool SameWrap(const TextWrapSettings& a, const TextWrapSettings& b) {
  for (size_t i = 0; i < a.offsets.size(); ++i) {
    if (!Same(a.offsets[i], b.offsets[i])) return false;
  }
  const ContourOptions& x = a.contour;
  const ContourOptions& y = b.contour;
  return a.mode == b.mode && a.side == b.side && a.invert == b.invert && x.type == y.type &&
         x.includeInsideEdges == y.includeInsideEdges && x.tolerance == y.tolerance &&
         Same(x.threshold, y.threshold) && x.index == y.index;
}

std::string WrapFault(const TextWrapSettings& wrap) {
  if (!WrapModeName(wrap.mode)) return "the wrap mode is out of range";
  if (!WrapSideName(wrap.side)) return "the wrap side is out of range";
  for (double offset : wrap.offsets) {
    if (!std::isfinite(offset) || std::fabs(offset) > kMaxWrapOffset) return "a wrap offset is out of range";
  }
  const ContourOptions& c = wrap.contour;
  if (c.type < 0 || c.type > kMaxContourType) return "the contour type is out of range";
  if (c.tolerance < 0 || c.tolerance > 255) return "the contour tolerance is out of range";
  if (!std::isfinite(c.threshold) || c.threshold < 0 || c.threshold > 10)
    return "the contour threshold is out of range";
  if (c.index < 0 || c.index > 32767) return "the contour index is out of range";
  return "";
}

void XferTextWrap(IPMStream* stream, TextWrapSettings& wrap, const char* owner) {
  auto mode = static_cast<int32_t>(wrap.mode);
  auto side = static_cast<int32_t>(wrap.side);
  stream->XferInt32(mode);
  stream->XferInt32(side);
  stream->XferBool(wrap.invert);
  for (double& offset : wrap.offsets)
    stream->XferReal(offset);
  stream->XferInt32(wrap.contour.type);
  stream->XferBool(wrap.contour.includeInsideEdges);
  stream->XferInt32(wrap.contour.tolerance);
  stream->XferReal(wrap.contour.threshold);
  stream->XferInt32(wrap.contour.index);
  if (!stream->IsReading()) return;
  wrap.mode = static_cast<WrapMode>(mode);
  wrap.side = static_cast<WrapSide>(side);
  if (std::string fault = WrapFault(wrap); !fault.empty()) {
    stream->MarkDamaged(std::string(owner) + ": " + fault);
    wrap = {};  // nothing out of range reaches the composer
  }
}

const char* WrapModeName(WrapMode mode) {
  for (const auto& [m, name] : kModeNames) {
    if (m == mode) return name;
  }
  return nullptr;
}

bool WrapModeOfName(const std::string& name, WrapMode& mode) {
  for (const auto& [m, n] : kModeNames) {
    if (name == n) {
      mode = m;
      return true;
    }
  }
  return false;
}

const char* WrapSideName(WrapSide side) {
  auto index = static_cast<int32_t>(side);
  return index >= 0 && index < static_cast<int32_t>(std::size(kSideNames)) ? kSideNames[index] : nullptr;
}

bool WrapSideOfName(const std::string& name, WrapSide& side) {
  for (size_t i = 0; i < std::size(kSideNames); ++i) {
    if (name == kSideNames[i]) {
      side = static_cast<WrapSide>(i);
      return true;
    }
  }
  return false;
}
