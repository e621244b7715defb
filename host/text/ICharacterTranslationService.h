// ICharacterTranslationService: translates a private-use character (U+E000..U+F8FF) of a symbol-encoded font
// to the Unicode character it shows. Providers register under kCharacterTranslationService; with none
// registered, characters stay as they are.
#pragma once

#include "host/core/HostIDs.h"
#include "host/core/IPMUnknown.h"
#include "host/db/IDataBase.h"
#include "host/text/TextIDs.h"

inline constexpr ServiceID kCharacterTranslationService = 0x205F0;
inline constexpr PMIID IID_ICHARACTERTRANSLATIONSERVICE = 0x205F0;

class ICharacterTranslationService : public IPMUnknown {
 public:
  enum { kDefaultIID = IID_ICHARACTERTRANSLATIONSERVICE.Get() };
  // The character `ch` shows in the font family `family` of `db`; 0 when it has no other meaning there.
  virtual char16_t Translate(const IDataBase* db, UID family, char16_t ch) const = 0;
};
