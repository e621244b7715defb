// CharacterTranslation: private-use characters of a story read back through the host's character
// translation service, with the font family in force looked up once per character run.
#pragma once

#include "host/core/InterfacePtr.h"
#include "host/text/ICharacterTranslationService.h"
#include "host/text/ITextModel.h"

namespace kesto {

class CharacterTranslation {
 public:
  CharacterTranslation(IDataBase* document, const ITextModel* story);
  // The character at host index `index` translated, or `ch` itself when there is no translation.
  char16_t Translate(int32_t index, char16_t ch);

 private:
  IDataBase* document_;
  const ITextModel* story_;
  InterfacePtr<ICharacterTranslationService> service_;
  int32_t runEnd_ = -1;  // end of the character run whose family is cached
  UID family_;
};

}  // namespace kesto
