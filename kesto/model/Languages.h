// Languages as the tag language names them: legacy numbers, and names in English, French and German, mapped
// to the document's languages.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "host/db/IDataBase.h"

namespace kesto {

struct LanguageRow {
  int32_t number;
  std::u16string_view hostName;  // "English: USA"
  std::u16string_view english;   // "U.S. English": also how the writer names the language
  std::u16string_view french;
  std::u16string_view german;
};

// The twelve languages that have numbers, in number order.
std::span<const LanguageRow> LanguageTable();
// The row with that number; nullptr for numbers without a language (6, for one).
const LanguageRow* LanguageRowOf(int32_t number);

// The number of the document language `language`, whose (translated) name must be one of the table's host
// names; nullopt otherwise.
std::optional<int32_t> LanguageNumberOf(IDataBase* db, UID language);
// The document's language for that number; kInvalidUID when the number has no row or the document lacks
// that language.
UID LanguageFromNumber(IDataBase* db, int32_t number);
// A language by an English, French or German name of the table (compared without regard to case), else by
// the host's own (translated) name; kInvalidUID when neither finds one.
UID FindLanguage(IDataBase* db, std::u16string_view name);

}  // namespace kesto
