// IStrokeStyle: a document's stroke style: solid, dashed, dotted or striped, with its pattern.
#pragma once

#include <cstdint>
#include <vector>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

enum class StrokeKind : int32_t { kSolid = 0, kDashed = 1, kDotted = 2, kStriped = 3 };

// Longest pattern and name a stroke style may have.
inline constexpr size_t kMaxStrokePattern = 32;
inline constexpr size_t kMaxStrokeStyleNameLength = 256;

// The pattern's meaning by kind, lengths in stroke weights:
//   solid   - empty;
//   dashed  - dash and gap lengths alternating, an even count of positive numbers;
//   dotted  - one number, the distance between dot centres (at least 1);
//   striped - (top, bottom) of each stripe as fractions 0..1 of the weight, stripes top to bottom, not
//             overlapping.
bool IsValidStrokePattern(StrokeKind kind, const std::vector<double>& pattern);

class IStrokeStyle : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISTROKESTYLE.Get() };
  virtual WideString GetName() const = 0;
  virtual StrokeKind GetKind() const = 0;
  virtual const std::vector<double>& GetPattern() const = 0;
  // The eleven styles every document has; the user's own styles answer false.
  virtual bool IsBuiltIn() const = 0;

  // For the stroke-style command and the document initializer.
  virtual void Set(const WideString& name, StrokeKind kind, const std::vector<double>& pattern,
                   bool builtIn) = 0;
};
