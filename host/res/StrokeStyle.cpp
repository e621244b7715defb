// The stroke-style object.
#include "host/res/StrokeStyle.h"

#include <cmath>

#include "host/db/IPMStream.h"

namespace {

bool AllPositive(const std::vector<double>& values) {
  for (double v : values) {
    if (!std::isfinite(v) || v <= 0) return false;
  }
  return true;
}

bool ValidStripes(const std::vector<double>& edges) {
  if (edges.empty() || edges.size() % 2 != 0) return false;
  double previous = 0;
  for (size_t i = 0; i < edges.size(); i += 2) {
    double top = edges[i];
    double bottom = edges[i + 1];
    if (!std::isfinite(top) || !std::isfinite(bottom) || top < previous || bottom <= top || bottom > 1)
      return false;
    previous = bottom;
  }
  return true;
}

}  // namespace

bool IsValidStrokePattern(StrokeKind kind, const std::vector<double>& pattern) {
  if (pattern.size() > kMaxStrokePattern) return false;
  switch (kind) {
    case StrokeKind::kSolid:
      return pattern.empty();
    case StrokeKind::kDashed:
      return !pattern.empty() && pattern.size() % 2 == 0 && AllPositive(pattern);
    case StrokeKind::kDotted:
      return pattern.size() == 1 && std::isfinite(pattern[0]) && pattern[0] >= 1;
    case StrokeKind::kStriped:
      return ValidStripes(pattern);
  }
  return false;
}

void StrokeStyle::Set(const WideString& name, StrokeKind kind, const std::vector<double>& pattern,
                      bool builtIn) {
  if (PreDirty() != kSuccess) return;
  name_ = name;
  kind_ = kind;
  pattern_ = pattern;
  builtIn_ = builtIn;
}

void StrokeStyle::ReadWrite(IPMStream* stream, ImplementationID) {
  auto kind = static_cast<int32_t>(kind_);
  stream->XferString(name_);
  stream->Expect(name_.size() <= kMaxStrokeStyleNameLength, "a stroke style's name is too long");
  stream->XferInt32(kind);
  uint32_t count = stream->XferCount(static_cast<uint32_t>(pattern_.size()), 8);
  if (stream->IsReading()) pattern_.assign(count, 0.0);
  for (double& v : pattern_)
    stream->XferReal(v);
  stream->XferBool(builtIn_);
  if (stream->IsReading()) {
    bool known = kind >= 0 && kind <= static_cast<int32_t>(StrokeKind::kStriped);
    kind_ = known ? static_cast<StrokeKind>(kind) : StrokeKind::kSolid;
    // Never a pattern nothing can draw.
    if (!stream->Expect(known && IsValidStrokePattern(kind_, pattern_),
                        "a stroke style's kind or pattern is out of range")) {
      kind_ = StrokeKind::kSolid;
      pattern_.clear();
    }
  }
}
