// The graphic attribute classes and lists of their values.
#include "host/layout/GraphicAttributes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "host/db/IPMStream.h"

namespace {

using K = GraphicValueKind;
constexpr double kMaxStrokeWeight = 800;
constexpr double kMaxCornerSize = 1000;

// clang-format off
constexpr GraphicAttrInfo kInfos[] = {
    {GraphicAttr::kStrokeWeight, "strokeWeight", K::kLength, 0, kMaxStrokeWeight, kStrokeCategory, false},
    {GraphicAttr::kStrokeColor, "strokeColor", K::kSwatch, 0, 0, kStrokeCategory, true},
    {GraphicAttr::kStrokeTint, "strokeTint", K::kTint, 0, 100, kStrokeCategory, true},
    {GraphicAttr::kStrokeType, "strokeType", K::kStrokeStyle, 0, 0, kStrokeCategory, true},
    {GraphicAttr::kStrokeAlignment, "strokeAlignment", K::kEnum, 0, 2, kStrokeCategory, true},
    {GraphicAttr::kEndCap, "endCap", K::kEnum, 0, 2, kStrokeCategory, false},
    {GraphicAttr::kGapColor, "gapColor", K::kSwatch, 0, 0, kStrokeCategory, true},
    {GraphicAttr::kGapTint, "gapTint", K::kTint, 0, 100, kStrokeCategory, true},
    {GraphicAttr::kLineStart, "lineStart", K::kEnum, 0, 7, kStrokeCategory, false},
    {GraphicAttr::kLineEnd, "lineEnd", K::kEnum, 0, 7, kStrokeCategory, false},
    {GraphicAttr::kCornerEffect, "cornerEffect", K::kEnum, 0, 23064, kCornerCategory, false},
    {GraphicAttr::kCornerSize, "cornerSize", K::kLength, 0, kMaxCornerSize, kCornerCategory, false},
    {GraphicAttr::kFillColor, "fillColor", K::kSwatch, 0, 0, kFillCategory, false},
    {GraphicAttr::kFillTint, "fillTint", K::kTint, 0, 100, kFillCategory, false},
    {GraphicAttr::kOverprintFill, "overprintFill", K::kSwitch, 0, 1, kFillCategory, false},
};
// clang-format on

bool IsCornerEffect(double v) {
  return v == 0 || (v >= static_cast<double>(CornerEffect::kFancy) &&
                    v <= static_cast<double>(CornerEffect::kRounded) && v == std::floor(v));
}

}  // namespace

std::span<const GraphicAttrInfo> GraphicAttrInfos() {
  return kInfos;
}

const GraphicAttrInfo* FindGraphicAttr(GraphicAttr cls) {
  for (const GraphicAttrInfo& info : kInfos) {
    if (info.cls == cls) return &info;
  }
  return nullptr;
}

const GraphicAttrInfo* FindGraphicAttr(std::string_view name) {
  for (const GraphicAttrInfo& info : kInfos) {
    if (name == info.name) return &info;
  }
  return nullptr;
}

double EffectiveTint(double tint) {
  return std::isnan(tint) ? 100.0 : tint;
}

bool SameGraphicValue(const GraphicAttribute& a, const GraphicAttribute& b) {
  if (a.cls != b.cls || a.ref != b.ref) return false;
  const GraphicAttrInfo* info = FindGraphicAttr(a.cls);
  bool tint = info && info->kind == GraphicValueKind::kTint;
  double x = tint ? EffectiveTint(a.number) : a.number;
  double y = tint ? EffectiveTint(b.number) : b.number;
  return std::fabs(x - y) < 1e-8;
}

std::string GraphicValueFault(const GraphicAttribute& a) {
  const GraphicAttrInfo* info = FindGraphicAttr(a.cls);
  if (!info)
    return "graphic attribute class " + std::to_string(static_cast<uint32_t>(a.cls)) + " does not exist";
  std::string name = info->name;
  switch (info->kind) {
    case GraphicValueKind::kSwatch:
    case GraphicValueKind::kStrokeStyle:
      return a.ref.IsValid() && a.number == 0 ? "" : name + " names nothing";
    case GraphicValueKind::kTint:
      if (std::isnan(a.number)) return a.ref.IsValid() ? name + " holds a reference" : "";
      break;
    default:
      break;
  }
  if (a.ref.IsValid()) return name + " holds a reference";
  if (!std::isfinite(a.number) || a.number < info->min || a.number > info->max)
    return name + " is out of range";
  bool whole = info->kind == GraphicValueKind::kEnum || info->kind == GraphicValueKind::kSwitch;
  if (whole && a.number != std::floor(a.number)) return name + " is out of range";
  if (a.cls == GraphicAttr::kCornerEffect && !IsCornerEffect(a.number)) return name + " is no corner effect";
  return "";
}

const GraphicAttribute* GraphicAttributeList::Find(GraphicAttr cls) const {
  auto it = std::lower_bound(values_.begin(), values_.end(), cls,
                             [](const GraphicAttribute& a, GraphicAttr c) { return a.cls < c; });
  return it != values_.end() && it->cls == cls ? &*it : nullptr;
}

void GraphicAttributeList::Set(const GraphicAttribute& a) {
  auto it = std::lower_bound(values_.begin(), values_.end(), a.cls,
                             [](const GraphicAttribute& v, GraphicAttr c) { return v.cls < c; });
  if (it != values_.end() && it->cls == a.cls) {
    *it = a;
  } else {
    values_.insert(it, a);
  }
}

void GraphicAttributeList::Remove(GraphicAttr cls) {
  std::erase_if(values_, [cls](const GraphicAttribute& a) { return a.cls == cls; });
}

void GraphicAttributeList::ReadWrite(IPMStream* stream, const char* owner) {
  uint32_t count = stream->XferCount(static_cast<uint32_t>(values_.size()), 16);
  if (stream->IsReading()) values_.assign(count, {});
  for (GraphicAttribute& a : values_) {
    auto cls = static_cast<uint32_t>(a.cls);
    stream->XferUInt32(cls);
    a.cls = static_cast<GraphicAttr>(cls);
    stream->XferReal(a.number);
    stream->XferReference(a.ref);
  }
  if (!stream->IsReading()) return;
  for (size_t i = 0; i < values_.size(); ++i) {
    std::string fault = GraphicValueFault(values_[i]);
    if (fault.empty() && i > 0 && values_[i - 1].cls >= values_[i].cls) fault = "are out of order";
    if (!fault.empty()) return stream->MarkDamaged(std::string(owner) + ": " + fault);
  }
}
