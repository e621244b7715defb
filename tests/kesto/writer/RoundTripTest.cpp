// Round trips over random documents: importing what the writer wrote gives a story that looks the same,
// and writing that story again gives the same text. The case count and the seed come from
// KESTO_ROUNDTRIP_CASES and KESTO_ROUNDTRIP_SEED (scripts/roundtrip.sh runs many); CI runs a few with a
// fixed seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tests/kesto/writer/RandomStory.h"
#include "tests/kesto/writer/RandomTaggedText.h"
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

// Import -> export -> import gives the same document, and the second export is the first one.
::testing::AssertionResult RoundTrips(const std::string& input, const Variant& variant) {
  ScopedDocument first;
  int32_t imported = first.Import(input, StreamEncoding::kUtf8);
  std::string text = first.Export(variant.options, variant.encoding);
  ScopedDocument second;
  int32_t again = second.Import(text, variant.encoding);
  std::string rewritten = second.Export(variant.options, variant.encoding);
  ::testing::AssertionResult same = SameDocument(first.Db(), second.Db());
  if (imported != 0 || again != 0 || !same || rewritten != text)
    return ::testing::AssertionFailure()
           << "imports answered " << imported << ", " << again << "; " << same.message()
           << "\ninput:   " << Readable(input) << "\nwritten: " << Readable(text)
           << "\nagain:   " << Readable(rewritten);
  return ::testing::AssertionSuccess();
}

// Still finds two or three documents in a hundred that come back changed (see scripts/roundtrip.sh, which
// runs it): left out of the bounded run until those are fixed.
TEST_P(RoundTripTest, DISABLED_TaggedTextReadsBackIntoTheSameDocument) {
  uint32_t cases = FromEnvironment("KESTO_ROUNDTRIP_CASES", kDefaultCases);
  uint32_t seed = FromEnvironment("KESTO_ROUNDTRIP_SEED", kDefaultSeed);
  int failures = 0;
  uint32_t n = 0;
  for (; n < cases && failures < 3; ++n) {
    std::mt19937 rng(seed + n);
    SCOPED_TRACE("case " + std::to_string(n) + " of seed " + std::to_string(seed));
    ::testing::AssertionResult result = RoundTrips(RandomTaggedText(rng), GetParam());
    if (!result) ++failures;
    EXPECT_TRUE(result);
  }
  std::printf("roundtrip: %u documents tried\n", n);
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

// What the writer once changed on the way, each found in an import -> export -> import.
TEST(RoundTripCaseTest, ImportedDocumentsComeBackTheSame) {
  const char* const kInputs[] = {
      "@:<B><I>x",
      "@Emph=<I>\r<@Emph>x",
      "a<\\!5>b",
      "<*p(12,-20,0,14,0,6)>x",
      "<*rb0>x",
      "<z28.3456>d<z28.3459>e",
      "a\r@Head=[S]<*C>\rb",
      "<*t(72,0,\"1 \")>a\tb\r<*C>c",
      "@Emph=<U><K>\r<@Emph>x",
      "@Emph=<o(\"zero\")>\rx<@Emph>y",
      "a\xE2\x80\x82"
      "b\xE2\x80\x85",
      "<*rb0>\r\xC3\xA9t\xC3\xA9<G$><\\p><@$><\\!s><*d(1,3)>",
      "<*p(,,,0,,,)><fs$><U><\\_>x\r<*ra(2,\"Dotted\",K,50,100,T1,2,3)><*kt0>\r@$:<*G><k15><\\2>\r",
  };
  for (const Variant& variant :
       {Variant{"Utf8", 0, StreamEncoding::kUtf8, true},
        Variant{"MacRoman", kPutOneAttributePerTag, StreamEncoding::kMacRoman, true}})
    for (const char* input : kInputs)
      EXPECT_TRUE(RoundTrips(input, variant)) << variant.name;
}

}  // namespace
}  // namespace kesto::testing_writer
