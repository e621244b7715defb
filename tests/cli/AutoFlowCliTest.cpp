// Automatic flow from outside: a long text imported into a one-page auto-flow document gets the pages it
// needs, each page's frame holding text, in each add-pages mode that changes where they go.
#include "tests/cli/CliTest.h"

namespace cli_testing {
namespace {

class AutoFlowCliTest : public CliTest {
 protected:
  // 40,000 words in paragraphs of 100.
  std::string Book() {
    std::string text;
    for (int i = 0; i < 40000; ++i)
      text += std::string(i % 7 == 0 ? "flowing" : "word") + (i % 100 == 99 ? "\n" : " ");
    return Write("book.txt", text);
  }
  // After `key` in `json`: the text up to the next `end`.
  static std::string After(const std::string& json, const std::string& key, char end, size_t from = 0) {
    size_t at = json.find(key, from);
    return at == std::string::npos ? "missing " + key
                                   : json.substr(at + key.size(), json.find(end, at) - at - key.size());
  }
  static std::string Numbers(int from, int to) {
    std::string out;
    for (int i = from; i <= to; ++i)
      out += (i > from ? ",\"" : "\"") + std::to_string(i) + "\"";
    return out;
  }
};

TEST_F(AutoFlowCliTest, AnImportGetsThePagesItNeedsInEachMode) {
  struct Case {
    const char* name;
    std::vector<std::string> options;
    std::string layout;  // operations on the new document before the import
    bool overset;
  };
  const Case cases[] = {
      {"facing", {"--facing"}, "", false},
      {"section",
       {"--add-pages-mode", "section"},
       "insert-pages --spread 1 --redistribute -- new-section 2",
       false},
      {"off", {"--add-pages-mode", "off"}, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string doc = Path("doc.pgd"), out = Path("out.pgd");
    std::vector<std::string> args{"new", "-o", doc, "--auto-flow"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(0, Run(args).status);
    if (!c.layout.empty()) {
      std::vector<std::string> ops{"layout", doc, "-o", doc};
      for (const std::string& word : Words(c.layout))
        ops.push_back(word);
      ASSERT_EQ(0, Run(ops).status);
    }
    ProgramResult r = Run({"import", Book(), "--into", doc, "-o", out});
    ASSERT_EQ(0, r.status) << r.err;
    std::string json = Inspect(out);
    size_t story = json.find("\"name\":\"Default\",\"stories\":[{");
    ASSERT_NE(std::string::npos, story);
    EXPECT_EQ(c.overset ? "true" : "false", After(json, "\"overset\":", ',', story));
    int pages = std::stoi(After(json, "\"pageCount\":", ','));
    int storyPages = c.overset ? 1 : c.name == std::string("section") ? pages - 1 : pages;
    EXPECT_GT(storyPages, c.overset ? 0 : 20);
    EXPECT_EQ(Numbers(1, storyPages), After(json, "\"pages\":[", ']', story));
    // No frame of the story is left empty, the last one included.
    EXPECT_EQ(std::string::npos, json.find("\"textSpan\":0"));
  }
}

// A page given a master without the thread's frames keeps its frame of the story, which no longer follows
// the masters (an orphan); a master based on the old one re-threads the page and the story goes on.
TEST_F(AutoFlowCliTest, ApplyingAnotherMasterReThreadsThePageOrOrphansTheStory) {
  std::string doc = Path("doc.pgd"), flowed = Path("flowed.pgd"), out = Path("out.pgd");
  ASSERT_EQ(0, Run({"new", "-o", doc, "--auto-flow"}).status);
  ASSERT_EQ(0, Run({"import", Book(), "--into", doc, "-o", flowed}).status);
  std::string frames = std::to_string(std::stoi(After(Inspect(flowed), "\"pageCount\":", ','))) + " frames";
  for (const char* based : {"--based-on A", ""}) {
    SCOPED_TRACE(based);
    std::vector<std::string> ops{"layout", flowed, "-o", out};
    for (const std::string& word : Words(std::string("new-master B-Other ") + based + " -- apply-master B 2"))
      ops.push_back(word);
    ASSERT_EQ(0, Run(ops).status);
    std::string summary = Run({"inspect", out}).out;
    EXPECT_NE(std::string::npos, summary.find(frames + (*based ? ")" : ", orphan)"))) << summary;
  }
}

// Text that adds pages, undone, gives back the document it went into; redone, the document with its pages.
TEST_F(AutoFlowCliTest, UndoAndRedoOfTextThatAddedPagesGiveBackIdenticalDocuments) {
  std::string doc = Path("doc.pgd"), flowed = Path("flowed.pgd"), undone = Path("undone.pgd");
  ASSERT_EQ(0, Run({"new", "-o", doc, "--auto-flow"}).status);
  std::string summary = Run({"inspect", doc}).out;
  size_t at = summary.find("story ") + 6;
  std::string story = "story:" + summary.substr(at, summary.find(' ', at) - at);
  std::string text;
  for (int i = 0; i < 4000; ++i)
    text += "word ";
  ProgramResult r = Run({"layout", doc, "-o", flowed, "insert-text", story, "0", text});
  ASSERT_EQ(0, r.status) << r.err;
  ASSERT_NE(std::string::npos, Run({"inspect", flowed}).out.find("(6 frames)"));  // pages were added
  for (auto [steps, same] : {std::pair{"undo", doc}, {"undo -- redo", flowed}}) {
    SCOPED_TRACE(steps);
    std::vector<std::string> ops{"layout", doc, "-o", undone, "insert-text", story, "0", text, "--"};
    for (const std::string& word : Words(steps))
      ops.push_back(word);
    ASSERT_EQ(0, Run(ops).status);
    EXPECT_EQ(Inspect(same), Inspect(undone));
  }
}

}  // namespace
}  // namespace cli_testing
