// LanguageCatalog: the languages the host knows, as every new document receives them.
#pragma once

#include <span>
#include <string_view>

#include "host/res/ILanguage.h"

struct LanguageInfo {
  std::u16string_view name;
  std::string_view locale;
  QuoteMarks quotes;
};

namespace LanguageCatalog {

// In the order documents list them; the first is the language new text gets.
std::span<const LanguageInfo> GetLanguages();
// nullptr when the host has no language of that name.
const LanguageInfo* Find(std::u16string_view name);

}  // namespace LanguageCatalog
