// Language numbers and names.
#include "kesto/model/Languages.h"

#include <array>

#include "host/res/DocWorkspace.h"
#include "host/res/ILanguage.h"
#include "host/res/ILanguageList.h"
#include "host/res/Translator.h"
#include "kesto/model/NameCompare.h"

namespace kesto {

namespace {

constexpr std::array<LanguageRow, 12> kLanguages = {{
    {0, u"English: USA", u"U.S. English", u"Anglais U.S.", u"US-Englisch"},
    {1, u"French", u"French", u"Fran\u00E7ais", u"Franz\u00F6sisch"},
    {2, u"English: UK", u"International English", u"Anglais international", u"Internationales Englisch"},
    {3, u"German: Old Rules", u"German", u"Allemand", u"Deutsch"},
    {4, u"Italian", u"Italian", u"Italien", u"Italienisch"},
    {5, u"Dutch", u"Dutch", u"N\u00E9erlandais", u"Holl\u00E4ndisch"},
    {7, u"Swedish", u"Swedish", u"Su\u00E9dois", u"Schwedisch"},
    {8, u"Spanish", u"Spanish", u"Espagnol", u"Spanisch"},
    {9, u"Danish", u"Danish", u"Danois", u"D\u00E4nisch"},
    {12, u"Norwegian: Bokmal", u"Norwegian", u"Norv\u00E9gien", u"Norwegisch"},
    {19, u"German: Swiss", u"Swiss German", u"Suisse allemand", u"Schweizerdeutsch"},
    {70, u"German: 1996 Reform", u"German (Reformed)", u"Allemand (nouvelle orthographe)",
     u"Deutsch (neue Rechtschreibung)"},
}};

InterfacePtr<ILanguageList> QueryLanguages(IDataBase* db) {
  return QueryDocWorkspace<ILanguageList>(db);
}

}  // namespace

std::span<const LanguageRow> LanguageTable() {
  return kLanguages;
}

const LanguageRow* LanguageRowOf(int32_t number) {
  for (const auto& row : kLanguages) {
    if (row.number == number) return &row;
  }
  return nullptr;
}

std::optional<int32_t> LanguageNumberOf(IDataBase* db, UID language) {
  InterfacePtr<ILanguage> object = Instantiate<ILanguage>(db, language);
  if (!object) return std::nullopt;
  WideString name = Translator::Get().Translate(std::u16string_view(object->GetName()));
  for (const auto& row : kLanguages) {
    if (name == row.hostName) return row.number;
  }
  return std::nullopt;
}

UID LanguageFromNumber(IDataBase* db, int32_t number) {
  const LanguageRow* row = LanguageRowOf(number);
  InterfacePtr<ILanguageList> list = QueryLanguages(db);
  return row && list ? list->FindLanguage(WideString(row->hostName)) : kInvalidUID;
}

UID FindLanguage(IDataBase* db, std::u16string_view name) {
  if (name.empty()) return kInvalidUID;
  for (const auto& row : kLanguages) {
    if (EqualsIgnoringCase(name, row.english) || EqualsIgnoringCase(name, row.french) ||
        EqualsIgnoringCase(name, row.german)) {
      return LanguageFromNumber(db, row.number);
    }
  }
  InterfacePtr<ILanguageList> list = QueryLanguages(db);
  if (!list) return kInvalidUID;
  UID uid = list->FindLanguage(Translator::Get().Translate(name));
  return uid.IsValid() ? uid : list->FindLanguage(WideString(name));
}

}  // namespace kesto
