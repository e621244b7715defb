// ISwatch: one colour of a document: a reserved swatch (none, paper, registration), a process or spot colour
// with its components, or a tint of another swatch.
#pragma once

#include <cstdint>

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ColorValue.h"
#include "host/res/ResIDs.h"

enum class SwatchKind : int32_t { kNone = 0, kPaper = 1, kRegistration = 2, kColor = 3, kTint = 4 };

// Longest swatch name the host accepts, in UTF-16 units.
inline constexpr size_t kMaxSwatchNameLength = 256;

class ISwatch : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISWATCH.Get() };
  virtual SwatchKind GetKind() const = 0;
  // A tint is named after its base and its tint ("Black 50%"); an unnamed colour answers an empty name.
  virtual WideString GetName() const = 0;
  // The colour at full strength; a tint answers its base's colour (GetTint says how much of it prints).
  virtual ColorValue GetColor() const = 0;
  // The swatch a tint is made from; kInvalidUID for every other kind.
  virtual UID GetTintBase() const = 0;
  // Percent of the colour that prints: 100 for everything but tints.
  virtual double GetTint() const = 0;
  // None, Paper, Black and Registration are reserved: every document has them and they are never edited.
  virtual bool IsReserved() const = 0;

  // For the swatch commands and the document initializer.
  virtual void SetColor(SwatchKind kind, const WideString& name, const ColorValue& color) = 0;
  virtual void SetTint(UID base, double tint) = 0;
  virtual void SetReserved(bool reserved) = 0;
};
