// VyColorDesc: a colour as the tag language names it (a standard colour, a swatch name, values, or a tint of
// another colour), resolved to a document swatch and described back from one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "host/core/WideString.h"
#include "host/db/IDataBase.h"

namespace kesto {

// Standard colour codes: 0 none, 1 paper, 2 black, 3 registration, 4..9 the six process colours
// (cyan, magenta, yellow, red, green, blue); 11 means no colour at all.
inline constexpr int32_t kNoColorCode = 11;
inline constexpr size_t kMaxColorNameLength = 64;

struct VyColorDesc {
  enum Kind : int32_t { kNoneGiven = 0, kStandard = 1, kByName = 2, kByValues = 3, kTint = 4 };
  // Colour models of kByValues: four components, or three in one of the host's two three-component models.
  enum Model : int32_t { kFourComponents = 0, kThreeComponents = 1, kThreeComponentsAlt = 2 };

  int32_t kind = kNoneGiven;
  WideString name;  // kByName and kByValues; see SetName
  int32_t standardCode = 0;
  std::shared_ptr<VyColorDesc> base;  // kTint
  int32_t colorModel = kFourComponents;
  int32_t spot = 0;  // kByValues: 0 process, otherwise spot
  // kByValues: the values in the host's units (CMYK percent; RGB 0..255; Lab); kTint: [0] the tint in
  // percent.
  std::array<double, 4> components{};
  IDataBase* document = nullptr;
  UID resolved;  // the swatch once resolved

  // Keeps at most kMaxColorNameLength units of `name`.
  void SetName(std::u16string_view name);
};

// The swatch `spec` names in its document, cached in `spec.resolved`; kInvalidUID when there is
// none (unknown name, unknown code, no document) or the host refused to make it. Values and tints make new
// swatches by command; a refusal resets the global error code.
UID ResolveColor(VyColorDesc& spec);

// How the tag language names swatch `swatch` of `db`: kStandard for no colour (UID 0), the reserved swatches
// and the six process colours, else kByName. `spec.name` receives the swatch's name. False (with code 2) for
// a swatch that has no name or is not a swatch.
bool DescribeColor(IDataBase* db, UID swatch, VyColorDesc& spec);

// The swatch name of standard codes 4..9 ("C=100 M=0 Y=0 K=0" ...); empty for other codes.
std::u16string_view StandardColorName(int32_t code);

}  // namespace kesto
