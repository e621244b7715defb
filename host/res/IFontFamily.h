// IFontFamily: a font family as a document knows it: a persistent name, with the faces the application's
// font catalog has for it. A family the catalog lacks is missing: it keeps its name and has no faces.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

class FontFace;

class IFontFamily : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IFONTFAMILY.Get() };
  virtual WideString GetFamilyName() const = 0;
  virtual bool IsMissing() const = 0;

  // Faces in the family's order; GetNthFaceName answers an empty name outside 0..count-1.
  virtual int32_t CountFaces() const = 0;
  virtual WideString GetNthFaceName(int32_t index) const = 0;
  virtual bool HasFace(const WideString& face) const = 0;
  // The family's plain face ("Regular", "Roman", "Book" ...); empty for a missing family.
  virtual WideString GetRegularFaceName() const = 0;
  // The full name of a face in form 0 ("DejaVu Sans Bold") or form 1 ("DejaVuSans-Bold"); empty when the
  // family has no such face.
  virtual WideString GetFullName(const WideString& face, int32_t form) const = 0;
  // The face that is bold when bit 0 of `bits` is set and italic when bit 1 is, of the same width as `face`
  // and, unless boldness changes, of its weight; empty when the family has none.
  virtual WideString GetVariant(const WideString& face, int32_t bits) const = 0;
  // The catalog's face, for its metrics; nullptr when the family has no such face.
  virtual const FontFace* GetFace(const WideString& face) const = 0;

  // For the document initializer.
  virtual void SetFamilyName(const WideString& name) = 0;
};
