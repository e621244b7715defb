// The host's languages and their quotation marks.
#include "host/res/LanguageCatalog.h"

#include <array>

namespace {

constexpr QuoteMarks kEnglish{u'\u201C', u'\u201D', u'\u2018', u'\u2019'};
constexpr QuoteMarks kGuillemets{u'\u00AB', u'\u00BB', u'\u2039', u'\u203A'};
constexpr QuoteMarks kGuillemetsDouble{u'\u00AB', u'\u00BB', u'\u201C', u'\u201D'};
constexpr QuoteMarks kGerman{u'\u201E', u'\u201C', u'\u201A', u'\u2018'};
constexpr QuoteMarks kLowHigh{u'\u201E', u'\u201D', u'\u201A', u'\u2019'};
constexpr QuoteMarks kNordic{u'\u201D', u'\u201D', u'\u2019', u'\u2019'};
constexpr QuoteMarks kDanish{u'\u00BB', u'\u00AB', u'\u203A', u'\u2039'};
constexpr QuoteMarks kNorwegian{u'\u00AB', u'\u00BB', u'\u2018', u'\u2019'};
constexpr QuoteMarks kRussian{u'\u00AB', u'\u00BB', u'\u201E', u'\u201C'};
constexpr QuoteMarks kHungarian{u'\u201E', u'\u201D', u'\u00BB', u'\u00AB'};

constexpr std::array<LanguageInfo, 24> kLanguages = {{
    {u"English: USA", "en_US", kEnglish},
    {u"English: UK", "en_GB", kEnglish},
    {u"English: Canadian", "en_CA", kEnglish},
    {u"French", "fr_FR", kGuillemets},
    {u"French: Canadian", "fr_CA", kGuillemetsDouble},
    {u"German: Old Rules", "de_DE_1901", kGerman},
    {u"German: 1996 Reform", "de_DE", kGerman},
    {u"German: Swiss", "de_CH", kGuillemets},
    {u"Italian", "it_IT", kGuillemetsDouble},
    {u"Dutch", "nl_NL", kEnglish},
    {u"Swedish", "sv_SE", kNordic},
    {u"Finnish", "fi_FI", kNordic},
    {u"Spanish", "es_ES", kGuillemetsDouble},
    {u"Catalan", "ca_ES", kGuillemetsDouble},
    {u"Portuguese", "pt_PT", kGuillemetsDouble},
    {u"Danish", "da_DK", kDanish},
    {u"Norwegian: Bokmal", "nb_NO", kNorwegian},
    {u"Norwegian: Nynorsk", "nn_NO", kNorwegian},
    {u"Polish", "pl_PL", kLowHigh},
    {u"Czech", "cs_CZ", kGerman},
    {u"Hungarian", "hu_HU", kHungarian},
    {u"Russian", "ru_RU", kRussian},
    {u"Greek", "el_GR", kGuillemetsDouble},
    {u"No Language", "", kEnglish},
}};

}  // namespace

std::span<const LanguageInfo> LanguageCatalog::GetLanguages() {
  return kLanguages;
}

const LanguageInfo* LanguageCatalog::Find(std::u16string_view name) {
  for (const auto& language : kLanguages) {
    if (language.name == name) return &language;
  }
  return nullptr;
}
