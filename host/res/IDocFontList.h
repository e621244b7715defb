// IDocFontList: the font families of a document, on its workspace; attributes refer to fonts by the UID of a
// family object of this list.
#pragma once

#include "host/core/IPMUnknown.h"
#include "host/core/WideString.h"
#include "host/res/ResIDs.h"

class IDocFontList : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_IDOCFONTLIST.Get() };
  virtual int32_t CountFamilies() const = 0;
  // kInvalidUID outside 0..count-1.
  virtual UID GetNthFamilyUID(int32_t index) const = 0;
  // The family whose name equals `name` exactly; kInvalidUID when the document has none.
  virtual UID FindFamily(const WideString& name) const = 0;
  // The family and face of a full font name in either form ("DejaVu Sans Bold Oblique"...
  // "DejaVuSans-BoldOblique"); false, with `family` kInvalidUID and `face` empty, when no installed face has
  // that name.
  virtual bool FindFontByFullName(const WideString& name, UID& family, WideString& face) const = 0;

  // For the document initializer.
  virtual void AddFamily(UID family) = 0;
};
