// Translating private-use characters through the host service.
#include "kesto/model/CharacterTranslation.h"

#include "host/core/ObjectModel.h"
#include "host/core/ServiceRegistry.h"
#include "host/text/AttributeClasses.h"
#include "host/text/AttributeResolver.h"

namespace kesto {

CharacterTranslation::CharacterTranslation(IDataBase* document, const ITextModel* story)
    : document_(document), story_(story) {
  for (ClassID provider : ServiceRegistry::Get().GetProviders(kCharacterTranslationService)) {
    service_ = CreateObject<ICharacterTranslationService>(provider);
    if (service_) break;
  }
}

char16_t CharacterTranslation::Translate(int32_t index, char16_t ch) {
  if (!service_ || !story_) return ch;
  if (index >= runEnd_) {
    TextRun run = story_->GetRunAt(TextStrand::kCharacter, index);
    runEnd_ = run.end;
    auto family = AttributeResolver::Resolve(story_, index, kTextAttrFontFamily);
    const UID* uid = family ? std::get_if<UID>(&family->value) : nullptr;
    family_ = uid ? *uid : kInvalidUID;
  }
  char16_t translated = service_->Translate(document_, family_, ch);
  return translated != 0 ? translated : ch;
}

}  // namespace kesto
