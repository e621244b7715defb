// ISwatchList: the swatches of a document, on its workspace, with the four reserved swatches every document
// has.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

class ISwatchList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ISWATCHLIST.Get() };
  virtual UID GetNoneSwatchUID() const = 0;
  virtual UID GetPaperSwatchUID() const = 0;
  virtual UID GetBlackSwatchUID() const = 0;
  virtual UID GetRegistrationSwatchUID() const = 0;

  // Swatches in the order they were added; GetNthSwatchUID answers kInvalidUID outside 0..count-1.
  virtual int32_t CountSwatches() const = 0;
  virtual UID GetNthSwatchUID(int32_t index) const = 0;
  // The first swatch whose name equals `name` exactly; kInvalidUID for an empty name or when none has it.
  virtual UID FindSwatch(const WideString& name) const = 0;
  // The tint of `base` at `tint` percent, if the list has one; kInvalidUID otherwise.
  virtual UID FindTint(UID base, double tint) const = 0;
  // `name` when no swatch has it, otherwise `name` followed by " 2", " 3" ... whichever is free first.
  virtual WideString MakeUniqueName(const WideString& name) const = 0;

  // For the swatch commands and the document initializer.
  virtual void AddSwatch(UID swatch) = 0;
  virtual void SetReservedSwatches(UID none, UID paper, UID black, UID registration) = 0;
};
