// pagehost fonts --metrics and the composition inspect --json --lines shows: line breaks and baselines
// worked out from the printed table match the composed lines, linked frames split the text where the
// table says, and the overset story reports where its text runs out of frames.
#include <map>
#include <regex>
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

// What `fonts --metrics` prints: "name [units] points" lines and "U+XXXX c width" lines.
struct Metrics {
  std::map<std::string, double> values;
  std::map<char, double> widths;
};

Metrics ParseMetrics(const std::string& text) {
  Metrics m;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("U+", 0) == 0) {
      unsigned code = std::stoul(line.substr(2, 4), nullptr, 16);
      if (code < 0x80) m.widths[static_cast<char>(code)] = std::stod(line.substr(line.rfind(' ') + 1));
    } else if (size_t space = line.find(' ');
               space != std::string::npos && line.rfind("face", 0) != 0 && line.rfind("file", 0) != 0) {
      m.values[line.substr(0, space)] = std::stod(line.substr(line.rfind(' ') + 1));
    }
  }
  return m;
}

// Breaks words separated by single spaces into lines of at most `width` points, spaces hanging at line
// ends, as "start-end@baseline" in frames `height` points tall; each frame's lines follow "|".
std::string ExpectedLines(const std::string& text, const Metrics& m, double width, double height,
                          int frames) {
  std::string out;
  size_t at = 0;
  for (int frame = 0; frame < frames; ++frame) {
    out += "|";
    for (double baseline = m.values.at("ascent"); at < text.size(); baseline += m.values.at("auto-leading")) {
      if (baseline + m.values.at("descent") > height) break;
      size_t end = at;
      double used = 0;
      while (end < text.size()) {
        size_t wordEnd = text.find(' ', end);
        if (wordEnd == std::string::npos) wordEnd = text.size();
        double word = 0;
        for (size_t i = end; i < wordEnd; ++i)
          word += m.widths.at(text[i]);
        if (end > at && used + word > width) break;
        used += word + m.widths.at(' ');
        end = wordEnd + 1;
      }
      end = std::min(end, text.size() + 1);  // the last line takes the story's return
      std::ostringstream line;
      line << at << "-" << end << "@" << baseline;
      out += line.str() + " ";
      at = end;
    }
  }
  return out;
}

// The same from inspect --json --lines: each text frame's lines, in the order the frames appear.
std::string ComposedLines(const std::string& json) {
  std::string out;
  static const std::regex frameOrLine(
      R"re("textSpan":\d+|\{"start":(\d+),"end":(\d+),"x":[-\d.e]+,"baseline":([-\d.e]+)\})re");
  for (std::sregex_iterator it(json.begin(), json.end(), frameOrLine), end; it != end; ++it) {
    if ((*it)[1].matched) {
      std::ostringstream line;
      line << (*it)[1] << "-" << (*it)[2] << "@" << std::stod((*it)[3]);
      out += line.str() + " ";
    } else {
      out += "|";
    }
  }
  return out;
}

class ComposeCliTest : public cli_testing::CliTest {
 protected:
  Metrics FontMetrics() {
    ProgramResult r = Run({"fonts", "--metrics", "DejaVu Serif Book", "12"});
    EXPECT_EQ(0, r.status) << r.err;
    return ParseMetrics(r.out);
  }
  // A document whose only story fills two linked 120 x 50 frames on page 1 with `text`.
  std::string TwoFrames(const std::string& text) {
    EXPECT_EQ(0, Run({"new", "-o", Path("new.pgd"), "--no-main-frame"}).status);
    ProgramResult frames = Run({"layout", Path("new.pgd"), "-o", Path("frames.pgd"), "frame", "--page", "1",
                                "0,0,120,50", "--", "frame", "--page", "1", "200,0,320,50"});
    EXPECT_EQ(0, frames.status) << frames.err;
    std::istringstream uids(frames.out);
    std::string second;
    uids >> first_ >> second;
    ProgramResult filled = Run({"layout", Path("frames.pgd"), "-o", Path("doc.pgd"), "link", first_, second,
                                "--", "insert-text", first_, "0", text});
    EXPECT_EQ(0, filled.status) << filled.err;
    ProgramResult r = Run({"inspect", Path("doc.pgd"), "--json", "--lines"});
    EXPECT_EQ(0, r.status) << r.err;
    return r.out;
  }
  std::string first_;  // the first frame's UID
};

TEST_F(ComposeCliTest, LinesFollowThePrintedMetrics) {
  const std::string texts[] = {
      "The quick brown fox jumps over the lazy dog",
      "Pack my box with five dozen liquor jugs and then some more words to overflow the frames",
  };
  Metrics m = FontMetrics();
  ASSERT_DOUBLE_EQ(m.values.at("auto-leading"), 14.4);
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    std::string json = TwoFrames(text);
    EXPECT_EQ(ComposedLines(json), ExpectedLines(text, m, 120, 50, 2));
    std::string expected = ExpectedLines(text, m, 120, 50, 2);
    bool overset = expected.rfind(std::to_string(text.size() + 1) + "@") == std::string::npos;
    EXPECT_NE(json.find(overset ? "\"overset\":true" : "\"overset\":false"), std::string::npos);
  }
}

TEST_F(ComposeCliTest, FrameOptionsMoveTheLines) {
  TwoFrames("aa bb cc dd ee ff gg hh ii jj kk ll");
  // Two columns of 60 points, the first baseline fixed 20 points below a top inset of 4.
  ProgramResult r =
      Run({"layout", Path("doc.pgd"), "-o", Path("options.pgd"), "frame-options", first_, "--columns", "2",
           "--gutter", "0", "--insets", "4,0,0,0", "--first-baseline", "fixed", "--minimum", "20"});
  ASSERT_EQ(0, r.status) << r.err;
  std::string json = Run({"inspect", Path("options.pgd"), "--json", "--lines"}).out;
  EXPECT_TRUE(std::regex_search(json, std::regex(R"("lines":\[\{"start":0,"end":\d+,"x":0,"baseline":24\})")))
      << json;
  EXPECT_NE(json.find("\"x\":60,\"baseline\":24"), std::string::npos) << "no line at the second column's top";
  // First-baseline kinds by their type numbers: fixed is 5, the untouched second frame keeps ascent, 1.
  EXPECT_NE(json.find("\"firstBaseline\":5,\"firstBaselineMinimum\":20"), std::string::npos) << json;
  EXPECT_NE(json.find("\"firstBaseline\":1,\"firstBaselineMinimum\":0"), std::string::npos) << json;
  r = Run({"layout", Path("doc.pgd"), "-o", Path("x.pgd"), "frame-options", first_, "--vertical", "middle"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("top, center, bottom or justify"), std::string::npos);
}

TEST_F(ComposeCliTest, FontsRefusesWhatItCannotMeasure) {
  const std::pair<std::vector<std::string>, int> rows[] = {
      {{"fonts", "--metrics", "No Such Face"}, 1},
      {{"fonts", "--metrics"}, 2},
      {{"fonts", "--metrics", "Liberation Sans Bold", "0"}, 2},
      {{"fonts", "--metrics", "Liberation Sans Bold", "12pt"}, 2},
      {{"fonts", "--sizes"}, 2},
      {{"inspect", "--lines", "doc.pgd"}, 2},
  };
  for (const auto& [args, status] : rows) {
    SCOPED_TRACE(args.back());
    ProgramResult r = Run(args);
    EXPECT_EQ(r.status, status);
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_NE(Run({"fonts"}).out.find("Liberation Sans Bold\n"), std::string::npos);
}

}  // namespace
