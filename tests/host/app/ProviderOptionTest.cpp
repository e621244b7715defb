// Option values checked against their providers' descriptions.
#include "host/app/ProviderOption.h"

#include <gtest/gtest.h>

namespace {

const std::vector<ProviderOption> kOptions = {
    {.name = "format",
     .kind = ProviderOption::Kind::kChoice,
     .choices = {"kesto", "host"},
     .defaultValue = "kesto"},
    {.name = "compact", .negatable = true},
    {.name = "short-names", .defaultValue = "off", .needs = "format=host"},
};

TEST(ProviderOptionTest, ValuesAreCheckedAgainstTheDescriptions) {
  const struct {
    const char* name;
    std::map<std::string, std::string> values;
    std::string problem;
  } rows[] = {
      {"nothing given", {}, ""},
      {"a choice", {{"format", "host"}}, ""},
      {"an unknown choice", {{"format", "rtf"}}, "unknown format 'rtf' (kesto or host)"},
      {"a switch neither on nor off", {{"compact", "yes"}}, "the option compact is neither on nor off"},
      {"a need met", {{"short-names", "on"}, {"format", "host"}}, ""},
      {"a need unmet by the default", {{"short-names", "on"}}, "the option short-names needs format host"},
      {"a need of a switch that is off", {{"short-names", "off"}}, ""},
      {"a name not described", {{"interpret-tags", "maybe"}}, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CheckOptionValues(kOptions, row.values), row.problem);
  }
  EXPECT_EQ(OptionValue(kOptions, {}, "format"), "kesto");
  EXPECT_EQ(OptionValue(kOptions, {{"format", "host"}}, "format"), "host");
  EXPECT_EQ(OptionValue(kOptions, {}, "compact"), "");
}

}  // namespace
