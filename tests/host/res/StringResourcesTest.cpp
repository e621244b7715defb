// String lists of plug-ins and translation of keys.
#include <gtest/gtest.h>

#include "host/res/StringResources.h"
#include "host/res/Translator.h"
#include "tests/support/TestHost.h"

namespace {

constexpr PluginID kPlugIn = 0xF0000;
constexpr PluginID kOther = 0xF0100;

TEST(StringResourcesTest, ListsAreFoundByPlugInListAndIndex) {
  StringResources resources;
  ASSERT_EQ(resources.RegisterStringList(kPlugIn, 20000, {"zero", "one", "caf\xC3\xA9"}), kSuccess);
  ASSERT_EQ(resources.RegisterStringList(kOther, 20000, {"other"}), kSuccess);
  struct Case {
    PluginID plugin;
    int32_t list;
    int32_t index;
    bool found;
    const char16_t* text;
  };
  const Case cases[] = {
      {kPlugIn, 20000, 0, true, u"zero"}, {kPlugIn, 20000, 2, true, u"caf\u00E9"},
      {kOther, 20000, 0, true, u"other"}, {kPlugIn, 20000, 3, false, u""},
      {kPlugIn, 20000, -1, false, u""},   {kPlugIn, 20001, 0, false, u""},
      {kOther, 20000, 1, false, u""},     {PluginID(0), 20000, 0, false, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.plugin.Get()) + "/" + std::to_string(c.list) + "/" +
                 std::to_string(c.index));
    WideString text = u"stale";
    EXPECT_EQ(resources.GetString(c.plugin, c.list, c.index, text), c.found);
    EXPECT_EQ(text, c.text);
  }
  EXPECT_EQ(resources.CountStrings(kPlugIn, 20000), 3);
  EXPECT_EQ(resources.CountStrings(kPlugIn, 1), 0);
}

TEST(StringResourcesTest, RegisteringAgainReplacesAndUnregisteringForgets) {
  StringResources resources;
  WideString text;
  ASSERT_EQ(resources.RegisterStringList(kPlugIn, 1, {"old", "list"}), kSuccess);
  ASSERT_EQ(resources.RegisterStringList(kPlugIn, 1, {"new"}), kSuccess);
  ASSERT_EQ(resources.RegisterStringList(kPlugIn, 2, std::vector<WideString>{}), kSuccess);
  ASSERT_EQ(resources.RegisterStringList(kOther, 1, {"kept"}), kSuccess);
  EXPECT_EQ(resources.CountStrings(kPlugIn, 1), 1);
  EXPECT_TRUE(resources.GetString(kPlugIn, 1, 0, text));
  EXPECT_EQ(text, u"new");
  EXPECT_TRUE(resources.HasStringList(kPlugIn, 2));
  EXPECT_FALSE(resources.GetString(kPlugIn, 2, 0, text));

  resources.UnregisterPlugIn(kPlugIn);
  EXPECT_FALSE(resources.HasStringList(kPlugIn, 1));
  EXPECT_FALSE(resources.HasStringList(kPlugIn, 2));
  EXPECT_TRUE(resources.GetString(kOther, 1, 0, text));

  EXPECT_EQ(resources.RegisterStringList(PluginID(0), 1, {"x"}), kInvalidParameterError);
  std::vector<WideString> huge(StringResources::kMaxStrings + 1);
  EXPECT_EQ(resources.RegisterStringList(kPlugIn, 3, std::move(huge)), kInvalidParameterError);
  EXPECT_FALSE(resources.HasStringList(kPlugIn, 3));
}

TEST(TranslatorTest, TextsFallBackFromLocaleToLanguageToBaseToKey) {
  Translator t;
  t.Add("en", {{"kSave", "Save"}, {"kColor", "Color"}, {"kOnlyBase", "Base"}});
  t.Add("en_GB", {{"kColor", "Colour"}});
  t.Add("fr", {{"kSave", "Enregistrer"}, {"kColor", "Couleur"}});
  t.Add("fr_CA", {{"kSave", "Sauvegarder"}});
  struct Case {
    const char* locale;
    const char* key;
    const char16_t* text;
  };
  const Case cases[] = {
      {"en", "kSave", u"Save"},
      {"en", "kColor", u"Color"},
      {"en_GB", "kColor", u"Colour"},
      {"en_GB", "kSave", u"Save"},
      {"fr_CA", "kSave", u"Sauvegarder"},
      {"fr_CA", "kColor", u"Couleur"},
      {"fr_CA", "kOnlyBase", u"Base"},
      {"fr", "kSave", u"Enregistrer"},
      {"de", "kSave", u"Save"},
      {"de", "kUnknown", u"kUnknown"},
      {"en", "", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.key);
    t.SetLocale(c.locale);
    EXPECT_EQ(t.Translate(c.key), c.text);
    EXPECT_EQ(t.HasTranslation(c.key), std::u16string_view(c.text) != WideFromUtf8(c.key));
  }
}

TEST(TranslatorTest, HostStringKeysAndReplacedTexts) {
  Translator t;
  t.Add("en", "English: USA", u"English: USA");
  t.Add("fr", "English: USA", u"Anglais : \u00C9tats-Unis");
  t.Add("en", "kName", u"first");
  t.Add("en", "kName", u"second");
  EXPECT_EQ(t.Translate(u"kName"), u"second");
  EXPECT_EQ(t.Translate(u"Caf\u00E9 noir"), u"Caf\u00E9 noir");
  t.SetLocale("fr_FR");
  EXPECT_EQ(t.GetLocale(), "fr_FR");
  EXPECT_EQ(t.Translate(u"English: USA"), u"Anglais : \u00C9tats-Unis");
  // A key with a lone surrogate is no text's key and comes back unchanged.
  std::u16string odd = u"x";
  odd.push_back(static_cast<char16_t>(0xD800));
  EXPECT_EQ(t.Translate(odd), odd);
}

TEST(TranslatorTest, HostRegistersItsOwnTexts) {
  testing_support::EnsureHost();
  const Translator& t = Translator::Get();
  EXPECT_EQ(t.Translate("HostKerningMetrics"), u"Metrics");
  EXPECT_EQ(t.Translate("HostNewTintSwatchCmd"), u"New Tint Swatch");
}

}  // namespace
