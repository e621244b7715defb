// Swatch colours for drawing.
#include "host/render/RenderColor.h"

#include <algorithm>
#include <cmath>

#include "host/core/InterfacePtr.h"
#include "host/res/ISwatch.h"

namespace RenderColor {
namespace {

double Clamp01(double v) {
  return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0;
}

// sRGB's transfer curve from a linear level.
double Gamma(double linear) {
  linear = Clamp01(linear);
  return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

RgbColor FromLab(double l, double a, double b) {
  auto inverse = [](double t) {
    return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29);
  };
  double fy = (l + 16) / 116;
  // D50 white, then Bradford-adapted to sRGB's D65 primaries.
  double x = 0.96422 * inverse(fy + a / 500);
  double y = 1.0 * inverse(fy);
  double z = 0.82521 * inverse(fy - b / 200);
  return {Gamma(3.1338561 * x - 1.6168667 * y - 0.4906146 * z),
          Gamma(-0.9787684 * x + 1.9161415 * y + 0.0334540 * z),
          Gamma(0.0719453 * x - 0.2289914 * y + 1.4052427 * z)};
}

}  // namespace

RgbColor ToRgb(const ColorValue& color) {
  if (!IsValidColor(color)) return {};
  const auto& c = color.components;
  switch (color.space) {
    case ColorSpace::kCMYK: {
      double k = 1 - c[3] / 100;
      return {Clamp01((1 - c[0] / 100) * k), Clamp01((1 - c[1] / 100) * k), Clamp01((1 - c[2] / 100) * k)};
    }
    case ColorSpace::kRGB:
      return {Clamp01(c[0] / 255), Clamp01(c[1] / 255), Clamp01(c[2] / 255)};
    case ColorSpace::kLab:
      return FromLab(c[0], c[1], c[2]);
  }
  return {};
}

std::optional<RgbColor> OfSwatch(const IDataBase* db, UID swatch, double tint) {
  if (!db || !swatch.IsValid() || !db->IsValidUID(swatch)) return std::nullopt;
  InterfacePtr<ISwatch> s = Instantiate<ISwatch>(db, swatch);
  if (!s) return std::nullopt;
  double percent = std::isfinite(tint) ? std::clamp(tint, 0.0, 100.0) : 100.0;
  switch (s->GetKind()) {
    case SwatchKind::kNone:
      return std::nullopt;
    case SwatchKind::kPaper:
      return RgbColor{1, 1, 1};
    case SwatchKind::kRegistration:
      return ToRgb(ApplyTint(ColorValue{ColorSpace::kCMYK, {100, 100, 100, 100}}, percent));
    case SwatchKind::kColor:
    case SwatchKind::kTint:
      return ToRgb(ApplyTint(s->GetColor(), s->GetTint() * percent / 100));
  }
  return std::nullopt;
}

}  // namespace RenderColor
