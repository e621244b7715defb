// The host's kerning methods: Metrics (the kerning that comes with a font, as HarfBuzz applies it) and
// Optical (pairs judged from the shapes of the letters' sides).
#pragma once

#include "host/core/CPMUnknown.h"
#include "host/res/IKerningMethod.h"

class MetricsKerningMethod final : public CPMUnknown<IKerningMethod> {
 public:
  explicit MetricsKerningMethod(Boss* boss) : CPMUnknown(boss) {}
  std::string GetNameKey() const override { return "HostKerningMetrics"; }
  int32_t GetKerning(const FontFace& face, char32_t left, char32_t right) const override;
};

class OpticalKerningMethod final : public CPMUnknown<IKerningMethod> {
 public:
  explicit OpticalKerningMethod(Boss* boss) : CPMUnknown(boss) {}
  std::string GetNameKey() const override { return "HostKerningOptical"; }
  int32_t GetKerning(const FontFace& face, char32_t left, char32_t right) const override;
};
