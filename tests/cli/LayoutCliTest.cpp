// pagehost new with layout options, pagehost layout, inspect --json's layout members and
// --trace-notifications, as a user runs them.
#include <sstream>

#include "tests/cli/CliTest.h"

namespace {

using cli_testing::ProgramResult;

class LayoutCliTest : public cli_testing::CliTest {
 protected:
  // A new document made with `options`; its path.
  std::string New(std::vector<std::string> options, const std::string& name = "doc.pgd") {
    std::vector<std::string> args = {"new", "-o", Path(name)};
    args.insert(args.end(), options.begin(), options.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(0, r.status) << r.err;
    return Path(name);
  }
  // pagehost layout DOC -o OUT with `ops`.
  ProgramResult Layout(const std::string& doc, const std::string& out, std::vector<std::string> ops) {
    std::vector<std::string> args = {"layout", doc, "-o", out};
    args.insert(args.end(), ops.begin(), ops.end());
    return Run(args);
  }
  // The part of `json` from `member` to the end of its value.
  static std::string Member(const std::string& json, const std::string& member) {
    size_t start = json.find("\"" + member + "\":");
    if (start == std::string::npos) return {};
    int depth = 0;
    for (size_t i = json.find(':', start) + 1; i < json.size(); ++i) {
      if (json[i] == '[' || json[i] == '{') ++depth;
      if (json[i] == ']' || json[i] == '}') --depth;
      if (depth == 0) return json.substr(start, i + 1 - start);
    }
    return json.substr(start);
  }
  static std::string ReadFile(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  static size_t Count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
      ++n;
    return n;
  }
  // The number of pages of each document spread, as "1,2,2".
  static std::string SpreadPages(const std::string& json) {
    std::string spreads = Member(json, "spreads");
    std::string counts;
    for (size_t at = spreads.find("\"pagePosition\""); at != std::string::npos;) {
      size_t next = spreads.find("\"pagePosition\"", at + 1);
      counts +=
          (counts.empty() ? "" : ",") +
          std::to_string(Count(spreads.substr(at, next == std::string::npos ? std::string::npos : next - at),
                               "\"number\":"));
      at = next;
    }
    return counts;
  }
};

TEST_F(LayoutCliTest, NewOptionsGiveTheSpreadsPagesAndMasters) {
  const struct {
    std::vector<std::string> options;
    std::string spreads;
    std::vector<std::string> found;  // in inspect --json
  } rows[] = {
      {{},
       "1",
       {"\"pageWidth\":612,\"pageHeight\":792", "\"fullName\":\"A-Master\"", "\"bounds\":[36,36,576,756]"}},
      {{"--pages", "5", "--facing"}, "1,2,2", {"\"facing\":true", "\"pageCount\":5"}},
      {{"--pages", "7", "--pages-per-spread", "3"}, "3,3,1", {"\"pagesPerSpread\":3"}},
      {{"--page-size", "a4", "--margins", "10mm"},
       "1",
       {"\"pageWidth\":595.276", "\"margins\":[28.34645669291339,28.34645669291339"}},
      {{"--page-size", "8.5in,11in", "--columns", "3", "--gutter", "1in"},
       "1",
       {"\"columns\":3,\"gutter\":72"}},
      {{"--masters", "A-Master;B-Body:A", "--master-pages", "2"},
       "1",
       {"\"fullName\":\"B-Body\",\"basedOn\":\"A-Master\""}},
      {{"--pages", "6", "--sections", "1;4:Back"},
       "1,1,1,1,1,1",
       {"{\"firstPage\":4,\"name\":\"Back\",\"pageCount\":3}"}},
      {{"--layers", "Layer 1;Art"}, "1", {"\"name\":\"Art\",\"visible\":true"}},
      {{"--no-main-frame"}, "1", {"\"frames\":[],\"firstDamagedFrame\":-1"}},
      {{"--master-frames", "--facing"}, "1", {"\"kind\":\"textFrame\",\"layer\":\"Layer 1\",\"page\":"}},
  };
  for (const auto& row : rows) {
    std::string name;
    for (const auto& o : row.options)
      name += o + " ";
    SCOPED_TRACE(name);
    std::string json = Inspect(New(row.options));
    EXPECT_EQ(SpreadPages(json), row.spreads);
    for (const std::string& text : row.found)
      EXPECT_NE(json.find(text), std::string::npos) << text << " in " << json;
  }
  // Master frames: one frame (with its own story) per master page.
  std::string json = Inspect(New({"--master-frames", "--facing"}));
  EXPECT_EQ(Count(Member(json, "masters"), "\"kind\":\"textFrame\""), 2u);
  EXPECT_EQ(Count(Member(json, "stories"), "\"uid\":"), 3u);
}

TEST_F(LayoutCliTest, NewOptionsThatMakeNoDocumentAreCommandLineErrors) {
  const std::vector<std::string> rows[] = {
      {"--pages", "0"},           {"--page-size", "huge"}, {"--margins", "1,2"},
      {"--masters", "A-X;B-Y:C"}, {"--sections", "9"},     {"--pages-per-spread", "11"},
      {"--gutter", "12furlongs"}, {"--layers", ""},
  };
  for (const auto& options : rows) {
    SCOPED_TRACE(options[0] + " " + options[1]);
    std::vector<std::string> args = {"new", "-o", Path("bad.pgd")};
    args.insert(args.end(), options.begin(), options.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(2, r.status);
    EXPECT_FALSE(std::filesystem::exists(Path("bad.pgd")));
  }
}

TEST_F(LayoutCliTest, InsertedPagesAreRedistributedOnlyWhenAsked) {
  std::string doc = New({"--pages", "3", "--facing"});
  const struct {
    std::vector<std::string> ops;
    std::string spreads;
  } rows[] = {
      {{"insert-pages", "--spread", "1", "--at", "1"}, "2,2"},
      {{"insert-pages", "--spread", "1", "--at", "1", "--redistribute"}, "1,2,1"},
      {{"insert-pages", "--spread", "2", "--count", "3", "--master", "none"}, "1,5"},
      {{"insert-pages", "--spread", "2", "--at", "0", "--count", "3", "--redistribute"}, "1,2,2,1"},
      {{"delete-pages", "2"}, "1,1"},
      {{"move-pages", "1", "--to-spread", "2"}, "3"},
      {{"new-spread", "--pages", "2"}, "1,2,2"},
      {{"duplicate-spread", "2"}, "1,2,2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ops[0] + " " + row.spreads);
    ProgramResult r = Layout(doc, Path("out.pgd"), row.ops);
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(SpreadPages(Inspect(Path("out.pgd"))), row.spreads);
  }
}

TEST_F(LayoutCliTest, MastersOverridesAndLinksShowInTheDocument) {
  std::string doc = New({"--pages", "2", "--masters", "A-Master;B-Body", "--master-frames"});
  ProgramResult r = Layout(doc, Path("a.pgd"),
                           {"apply-master",
                            "B",
                            "2",
                            "--",
                            "override",
                            "--page",
                            "2",
                            "--all",
                            "--",
                            "frame",
                            "--page",
                            "1",
                            "10,10,100,100",
                            "--label",
                            "one",
                            "--",
                            "insert-text",
                            "label:one",
                            "0",
                            "First",
                            "--",
                            "frame",
                            "--page",
                            "2",
                            "10,10,100,100",
                            "--label",
                            "two",
                            "--",
                            "insert-text",
                            "label:two",
                            "0",
                            "Second",
                            "--",
                            "link",
                            "label:one",
                            "label:two"});
  ASSERT_EQ(0, r.status) << r.err;
  std::string json = Inspect(Path("a.pgd"));
  std::string spreads = Member(json, "spreads");
  EXPECT_NE(spreads.find("\"master\":\"B-Body\""), std::string::npos) << spreads;
  EXPECT_EQ(Count(spreads, "\"overrideOf\":null"), 3u);  // main frame, "one", "two"
  EXPECT_EQ(Count(spreads, "\"overrideOf\":"), 4u);      // and the local copy of B's frame
  EXPECT_NE(json.find("\"text\":\"First\\u000dSecond\\u000d\""), std::string::npos)
      << Member(json, "stories");
  EXPECT_NE(spreads.find("\"label\":\"two\",\"labels\":{},\"locked\":false,\"overrideOf\":null,\"story\":"),
            std::string::npos);
  EXPECT_NE(spreads.find("\"frameIndex\":1"), std::string::npos);
  // Reverting takes the local copy away again.
  r = Layout(Path("a.pgd"), Path("b.pgd"), {"revert", "--page", "2"});
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(Count(Member(Inspect(Path("b.pgd")), "spreads"), "\"overrideOf\":"), 3u);
}

TEST_F(LayoutCliTest, UndoGivesBackTheSameDocument) {
  std::string doc = New({"--pages", "3", "--facing", "--master-frames"});
  std::string before = Inspect(doc);
  for (const std::vector<std::string>& ops : std::vector<std::vector<std::string>>{
           {"insert-pages", "--spread", "1", "--redistribute"},
           {"override", "--page", "2", "--all"},
           {"frame", "--page", "3", "1,2,300,400"},
           {"delete-pages", "3"},
           {"new-layer", "Art", "--at", "0"},
       }) {
    SCOPED_TRACE(ops[0]);
    std::vector<std::string> all = ops;
    all.insert(all.end(), {"--", "undo"});
    ProgramResult r = Layout(doc, Path("u.pgd"), all);
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(Inspect(Path("u.pgd")), before);
  }
}

TEST_F(LayoutCliTest, ARefusedOperationStopsWithTheHostsMessageAndWritesNothing) {
  std::string doc = New({"--pages", "2"});
  std::string trace = Path("trace.jsonl");
  ProgramResult r = Run({"--trace-notifications", trace, "layout", doc, "-o", Path("out.pgd"), "new-layer",
                         "Art", "--", "delete-pages", "1", "2", "--", "new-layer", "More"});
  EXPECT_EQ(1, r.status);
  EXPECT_NE(r.err.find("delete-pages: a document keeps at least one page"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(Path("out.pgd")));
  std::ifstream in(trace);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_NE(lines[0].find("\"role\":\"signal\",\"class\":3598"), std::string::npos);
  // The refused deletion still has its pair; the after says it failed. Nothing runs after it.
  EXPECT_NE(lines[lines.size() - 2].find("\"role\":\"before\",\"class\":1289"), std::string::npos)
      << lines[lines.size() - 2];
  EXPECT_NE(lines.back().find("\"role\":\"after\",\"class\":1289"), std::string::npos);
  EXPECT_NE(lines.back().find("\"failed\":true"), std::string::npos);
}

TEST_F(LayoutCliTest, TheTraceShowsANewDocumentAndTheLinkBeforeTheMerge) {
  std::string trace = Path("trace.jsonl");
  ProgramResult r = Run({"--trace-notifications", trace, "new", "-o", Path("n.pgd"), "--pages", "2"});
  ASSERT_EQ(0, r.status) << r.err;
  std::string lines = ReadFile(trace);
  size_t signal = lines.find("\"role\":\"signal\",\"class\":3595");
  size_t listed = lines.find("\"class\":5124");
  size_t applied = lines.find("\"role\":\"before\",\"class\":5133");
  EXPECT_LT(signal, listed);
  EXPECT_LT(listed, applied);
  EXPECT_NE(applied, std::string::npos);
  r = Run({"--trace-notifications",
           trace,
           "layout",
           Path("n.pgd"),
           "-o",
           Path("l.pgd"),
           "frame",
           "--page",
           "1",
           "1,1,9,9",
           "--label",
           "a",
           "--",
           "frame",
           "--page",
           "2",
           "1,1,9,9",
           "--label",
           "b",
           "--",
           "insert-text",
           "label:b",
           "0",
           "Hi",
           "--",
           "link",
           "label:a",
           "label:b"});
  ASSERT_EQ(0, r.status) << r.err;
  lines = ReadFile(trace);
  size_t link = lines.find("\"role\":\"before\",\"class\":516");
  size_t linked = lines.find("\"role\":\"change\",\"class\":516", link);
  size_t merged = lines.find("kCopyTextCmdBoss", link);
  EXPECT_LT(link, linked);
  EXPECT_LT(linked, merged);
  EXPECT_NE(merged, std::string::npos);
  EXPECT_EQ(Count(lines, "\"role\":\"before\""), Count(lines, "\"role\":\"after\""));
}

TEST_F(LayoutCliTest, TheTraceShowsEachComposition) {
  std::string doc = New({"--pages", "2"}), trace = Path("trace.jsonl");
  std::string frame = Member(Inspect(doc), "stories");
  frame = frame.substr(frame.find("\"frames\":[") + 10);
  ProgramResult r = Run({"--trace-notifications", trace, "layout", doc, "-o", Path("out.pgd"), "insert-text",
                         frame.substr(0, frame.find(']')), "0", "Hello", "--", "undo", "--", "redo"});
  ASSERT_EQ(0, r.status) << r.err;
  std::string lines = ReadFile(trace);
  // One composition after the edit, one after the undo, one after the redo.
  EXPECT_EQ(Count(lines, "\"name\":\"story composed\""), 3u) << lines;
  EXPECT_EQ(Count(lines, "-undo\""), 2u);
  EXPECT_EQ(Count(lines, "-redo\""), 2u);
}

TEST_F(LayoutCliTest, DocumentsSavedBeforeLayoutsShowTheBuiltInOne) {
  std::string json = Inspect(std::string(PAGEHOST_TEST_DATA) + "/format1-sample.pgd");
  EXPECT_EQ(SpreadPages(json), "1");
  EXPECT_NE(Member(json, "spreads").find("\"kind\":\"textFrame\""), std::string::npos);
  // Every member there was before is still there.
  for (const char* member :
       {"stories", "paragraphStyles", "characterStyles", "swatches", "paragraphs", "characterRuns"})
    EXPECT_NE(json.find(std::string("\"") + member + "\":"), std::string::npos) << member;
}

// Failures a user must understand: names that do not resolve, refusals with the host's reason, and undo
// after operations that changed nothing.
TEST_F(LayoutCliTest, OperationsThatCannotBeDoneFailSayingWhy) {
  std::string doc = New({"--pages", "2"});
  const struct {
    std::vector<std::string> ops;  // after a frame labelled f is made
    std::string message;
  } rows[] = {
      {{"delete-pages", "none:1"}, "delete-pages: master page 'none:1' does not exist"},
      {{"apply-master", "A", "none:1"}, "apply-master: master page 'none:1' does not exist"},
      {{"override", "--page", "none:1", "--all"}, "override: master page 'none:1' does not exist"},
      {{"revert", "--page", "none:2"}, "revert: master page 'none:2' does not exist"},
      {{"new-section", "none:1"}, "new-section: master page 'none:1' does not exist"},
      {{"move-pages", "none:1", "--to-spread", "1"}, "move-pages: master page 'none:1' does not exist"},
      {{"frame", "--master", "none:0", "1,1,9,9"}, "frame: master page 'none:0' does not exist"},
      {{"delete-pages", "9"}, "page 9 does not exist"},
      {{"insert-pages", "--spread", "0"}, "spread 0 does not exist"},
      {{"apply-master", "Z", "1"}, "no master named 'Z'"},
      {{"delete", "999"}, "item 999 does not exist"},
      {{"frame", "--page", "1", "1,1,9,9", "--layer", "Nope"}, "no layer named 'Nope'"},
      {{"insert-pages", "--spread", "1", "--count", "200"}, "spread 1 would hold 201 pages"},
      {{"insert-pages", "--spread", "1", "--size", "0,0"}, "a page is 1 to 100000 pt wide and high"},
      {{"lock", "label:f", "--", "move", "label:f", "--by", "1,1"}, "is locked"},
      {{"undo", "--", "undo"}, "undo: no operation comes before it"},
      {{"redo"}, "redo: no undone operation comes before it"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    std::vector<std::string> ops = {"frame", "--page", "1", "0,0,180,100", "--label", "f", "--"};
    ops.insert(ops.end(), row.ops.begin(), row.ops.end());
    ProgramResult r = Layout(doc, Path("out.pgd"), ops);
    EXPECT_EQ(1, r.status) << r.err;
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Path("out.pgd")));
  }
  // new refuses the same size in the same words, and layers of one name as new-layer does.
  for (const auto& [option, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--page-size", "0,100"}, "new: a page is 1 to 100000 pt wide and high"},
           {{"--layers", "a;a"}, "new: two layers are named 'a'"}}) {
    ProgramResult r = Run({"new", "-o", Path("bad.pgd"), option[0], option[1]});
    EXPECT_EQ(2, r.status);
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  }
}

TEST_F(LayoutCliTest, UndoTakesBackTheOperationBeforeItEvenWhenThatChangedNothing) {
  std::string doc = New({"--pages", "2"});
  const struct {
    std::vector<std::string> ops;
    std::string found, absent;  // in inspect --json
    bool note;
  } rows[] = {
      {Words("new-layer Art -- apply-master A 1 -- undo"), "\"name\":\"Art\"", "", true},
      {Words("frame --page 1 1,1,9,9 --label f -- lock label:f -- lock label:f -- undo"), "\"locked\":true",
       "", true},
      {Words("new-layer Art -- new-layer More -- undo -- undo -- redo"), "\"name\":\"Art\"",
       "\"name\":\"More\"", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ops[2]);
    ProgramResult r = Layout(doc, Path("out.pgd"), row.ops);
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(r.err.find("undo: note: ") != std::string::npos, row.note) << r.err;
    std::string json = Inspect(Path("out.pgd"));
    EXPECT_NE(json.find(row.found), std::string::npos);
    EXPECT_TRUE(row.absent.empty() || json.find(row.absent) == std::string::npos) << json;
  }
}

}  // namespace
