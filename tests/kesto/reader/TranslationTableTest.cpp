// The translation table and its use by the scanner's input: longest matches, limits, and long inputs read
// across many refills compared with a plain greedy translation of the same text.
#include "kesto/reader/TranslationTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "kesto/reader/ScannerErrors.h"
#include "kesto/reader/ScannerInput.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace kesto {
namespace {

using Pairs = std::vector<std::pair<std::u32string, std::u32string>>;

void Fill(TranslationTable& table, const Pairs& pairs) {
  for (const auto& [source, target] : pairs)
    ASSERT_EQ(0, table.Add(source, target));
}

// The translation as the table defines it: at each position the longest source (the first added of equal
// ones) is replaced; other characters are kept.
std::u32string Greedy(const Pairs& pairs, std::u32string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const std::pair<std::u32string, std::u32string>* best = nullptr;
    for (const auto& pair : pairs) {
      if (text.substr(i).starts_with(pair.first) && (!best || pair.first.size() > best->first.size()))
        best = &pair;
    }
    if (best) {
      out += best->second;
      i += best->first.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::u32string Matched(const TranslationTable& table, std::u32string_view text) {
  const int32_t* target = nullptr;
  int32_t count = 0;
  int32_t length = table.Match(reinterpret_cast<const int32_t*>(text.data()),
                               static_cast<int32_t>(text.size()), target, count);
  if (length == 0) return U"-";
  return std::u32string(text.substr(0, static_cast<size_t>(length))) + U"=" +
         std::u32string(reinterpret_cast<const char32_t*>(target), static_cast<size_t>(count));
}

TEST(TranslationTableTest, TheLongestSourceAtTheStartMatches) {
  TranslationTable table;
  Fill(table, {{U"a", U"A"}, {U"abc", U"X"}, {U"a", U"second"}, {U"\U0001F600", U":)"}, {U"\u0101b", U""}});
  EXPECT_EQ(4, table.Size());
  struct Row {
    std::u32string text;
    std::u32string matched;
  } rows[] = {
      {U"abcd", U"abc=X"},
      {U"abd", U"a=A"},
      {U"ab", U"a=A"},
      {U"b", U"-"},
      {U"\U0001F600x", U"\U0001F600=:)"},
      {U"\u0101b", U"\u0101b="},
      {U"\u0101", U"-"},
      {U"", U"-"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
    EXPECT_EQ(row.matched, Matched(table, row.text));
  }
  EXPECT_TRUE(table.CanBegin('a'));
  EXPECT_FALSE(table.CanBegin('b'));
  EXPECT_TRUE(table.CanBegin(0x1F600));
  EXPECT_TRUE(table.CanBegin(0x101));
  EXPECT_FALSE(table.CanBegin(0x102));
  EXPECT_EQ(3, table.GetLongestSource());
}

TEST(TranslationTableTest, LimitsRefuseAndAddNothing) {
  TranslationTable table;
  std::u32string longest(TranslationTable::kMaxSourceLength, U's');
  std::u32string longestTarget(TranslationTable::kMaxTargetLength, U't');
  EXPECT_EQ(0, table.Add(longest, longestTarget));
  EXPECT_EQ(kScanTranslationSourceTooLong, table.Add(longest + U"s", U"x"));
  EXPECT_EQ(kScanTranslationTargetTooLong, table.Add(U"x", longestTarget + U"t"));
  EXPECT_EQ(0, table.Add(U"", U"x"));
  EXPECT_EQ(1, table.Size());
  EXPECT_GT(table.GetBytes(), 4 * (TranslationTable::kMaxSourceLength + TranslationTable::kMaxTargetLength));
  table.Clear();
  EXPECT_TRUE(table.Empty());
  EXPECT_FALSE(table.CanBegin('s'));
}

// The input read through a table: every source is found wherever the refills put it, and reading
// through runs (as the text loop does) gives what reading one character at a time gives.
class TranslatedInputTest : public ::testing::Test {
 protected:
  std::u32string Read(const Pairs& pairs, const std::u32string& text, bool inRuns) {
    std::string bytes;
    for (char32_t c : text)
      bytes += static_cast<char>(c);
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kWindowsLatin);
    VyTextStream stream(&agent, StreamEncoding::kWindowsLatin, VyTextStream::kLineEndsAsIs);
    ScannerInput input;
    input.Attach(&stream);
    for (const auto& [source, target] : pairs)
      EXPECT_EQ(0, input.GetTranslations().Add(source, target));
    std::u32string out;
    for (;;) {
      int32_t count = 0;
      const int32_t* run = input.Run(count);
      if (inRuns && count > 0) {
        count = std::min(count, 7);
        out.append(reinterpret_cast<const char32_t*>(run), static_cast<size_t>(count));
        input.Advance(count);
        continue;
      }
      int32_t c = input.Next();
      if (c == ScannerInput::kEnd) return out;
      out.push_back(static_cast<char32_t>(c));
    }
  }
};

TEST_F(TranslatedInputTest, LongInputsTranslateAsTheTableSays) {
  std::mt19937 random(7);
  std::u32string text;
  for (int i = 0; i < 60000; ++i)
    text.push_back(U"abcde"[random() % 5]);
  // A source as long as a source may be, lying across refills.
  std::u32string longSource(TranslationTable::kMaxSourceLength, U'e');
  std::u32string withLong = text.substr(0, 4000) + longSource + text.substr(4000);
  struct Row {
    const char* name;
    Pairs pairs;
    std::u32string text;
  } rows[] = {
      {"short sources", {{U"ab", U"X"}, {U"b", U""}, {U"abc", U"YYYY"}, {U"d", U"dd"}}, text},
      {"many candidates, few matches", {{U"aaaa", U"Q"}, {U"eeeee", U"R"}}, text},
      {"the longest source", {{longSource, U"L"}, {U"e", U"E"}}, withLong},
      {"no table", {}, text},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::u32string expected = Greedy(row.pairs, row.text);
    for (bool inRuns : {false, true}) {
      std::u32string got = Read(row.pairs, row.text, inRuns);
      EXPECT_EQ(expected.size(), got.size()) << "in runs: " << inRuns;
      EXPECT_TRUE(expected == got) << "in runs: " << inRuns;
    }
  }
}

// Expansions compose (a translation whose target invokes a macro again and again), so what they give in one
// scan has an allowance that grows only with the input decoded.
TEST_F(TranslatedInputTest, ExpansionsStopAtTheirAllowance) {
  std::string bytes(1024, 'x');
  VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kWindowsLatin);
  VyTextStream stream(&agent, StreamEncoding::kWindowsLatin, VyTextStream::kLineEndsAsIs);
  ScannerInput input;
  input.Attach(&stream);
  std::vector<int32_t> target(ScannerInput::kTranslationCapacity, 'y');
  auto startAll = [&] {
    int64_t started = 0;
    while (input.StartLayer(ScannerInput::Layer::kTranslation, target.data(),
                            static_cast<int32_t>(target.size())))
      started += static_cast<int64_t>(target.size());
    return started;
  };
  EXPECT_EQ(ScannerInput::kExpansionAllowance, startAll());
  EXPECT_EQ('y', input.Next());
  input.Clear();
  input.Attach(&stream);
  ASSERT_TRUE(stream.Seek(0));
  EXPECT_EQ('x', input.Next());
  // The refill decoded the whole input: its allowance comes on top.
  EXPECT_EQ(ScannerInput::kExpansionAllowance + ScannerInput::kExpansionPerCharacter * 1024, startAll());
}

}  // namespace
}  // namespace kesto
