// Round trips over random documents: importing what the writer wrote gives a story that looks the same,
// and writing that story again gives the same text. The case count and the seed come from
// KESTO_ROUNDTRIP_CASES and KESTO_ROUNDTRIP_SEED (scripts/roundtrip.sh runs many); CI runs a few with a
// fixed seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "tests/kesto/writer/RandomStory.h"
#include "tests/kesto/writer/WriterTestSupport.h"

namespace kesto::testing_writer {
namespace {

constexpr int kDefaultCases = 150;
constexpr uint32_t kDefaultSeed = 20261209;

uint32_t FromEnvironment(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

struct Variant {
  const char* name;
  uint32_t options;
  StreamEncoding encoding;
  bool styles;
};

class RoundTripTest : public ::testing::TestWithParam<Variant> {};

TEST_P(RoundTripTest, ImportOfExportLooksLikeTheStoryAndExportsTheSame) {
  const Variant& variant = GetParam();
  uint32_t cases = FromEnvironment("KESTO_ROUNDTRIP_CASES", kDefaultCases);
  uint32_t seed = FromEnvironment("KESTO_ROUNDTRIP_SEED", kDefaultSeed);
  int failures = 0;
  for (uint32_t n = 0; n < cases && failures < 3; ++n) {
    std::mt19937 rng(seed + n);
    SCOPED_TRACE("case " + std::to_string(n) + " of seed " + std::to_string(seed));
    ScopedDocument original;
    RandomStoryOptions options;
    options.styles = variant.styles;
    MakeRandomStory(original.Db(), original.Story(), rng, options);
    std::string text = original.Export(variant.options, variant.encoding);

    ScopedDocument copy;
    int32_t imported = copy.Import(text, variant.encoding);
    ::testing::AssertionResult same = SameLook(original.Db(), original.Story(), copy.Db(), copy.Story());
    std::string again = copy.Export(variant.options, variant.encoding);
    if (imported != 0 || !same || again != text) {
      ++failures;
      ADD_FAILURE() << "import answered " << imported << "; " << same.message()
                    << "\nwritten: " << Readable(text) << "\nagain:   " << Readable(again);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, RoundTripTest,
    ::testing::Values(Variant{"Plain", 0, StreamEncoding::kUtf8, false},
                      Variant{"Styles", 0, StreamEncoding::kUtf8, true},
                      Variant{"OneAttributePerTag", kPutOneAttributePerTag, StreamEncoding::kUtf8, true},
                      Variant{"Utf16", 0, StreamEncoding::kUtf16LE, true},
                      Variant{"MacRoman", 0, StreamEncoding::kMacRoman, false},
                      Variant{"WindowsLatin", kPutAllStyles, StreamEncoding::kWindowsLatin, true}),
    [](const ::testing::TestParamInfo<Variant>& info) { return info.param.name; });

}  // namespace
}  // namespace kesto::testing_writer
