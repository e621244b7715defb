// pagehost's text-thread operations: master thread frames flowed onto pages and linked into one story per
// thread, inspect's threads member, refusals that write nothing, undo in the same run, and a document with
// threads going through a pagehost that lacks the thread plug-in.
#include <regex>

#include "tests/cli/CliTest.h"

namespace cli_testing {
namespace {

class ThreadCliTest : public CliTest {
 protected:
  // Three pages whose master A carries a frame of thread "Body" (and, with `side`, one of thread "Side").
  std::string Threaded(bool side = false) {
    std::string doc = Path("doc.pgd"), threaded = Path("threaded.pgd");
    EXPECT_EQ(0, Run({"new", "-o", doc, "--pages", "3", "--no-main-frame"}).status);
    std::string ops =
        "frame --master A:1 36,36,300,400 --label body -- thread-new Body -- "
        "thread-assign label:body Body";
    if (side)
      ops +=
          " -- frame --master A:1 320,36,500,400 --label side -- thread-new Side -- "
          "thread-assign label:side side";
    ProgramResult r = Layout(doc, threaded, ops);
    EXPECT_EQ(0, r.status) << r.err;
    return threaded;
  }
  ProgramResult Layout(const std::string& doc, const std::string& out, const std::string& ops,
                       std::vector<std::string> before = {}) {
    std::vector<std::string> args = before;
    for (const std::string& word : {std::string("layout"), doc, std::string("-o"), out})
      args.push_back(word);
    for (const std::string& word : Words(ops))
      args.push_back(word);
    return Run(args);
  }
  // The page lists of thread `name`'s stories in inspect's threads member, as "[master page A:1][1,2,3]".
  std::string StoryPages(const std::string& file, const std::string& name) {
    std::string json = Inspect(file), key = "\"name\":\"" + name + "\",\"stories\":[";
    size_t at = json.find(key);
    if (at == std::string::npos) return "no thread " + name;
    std::string pages;
    int depth = 1;
    for (size_t i = at + key.size(); i < json.size() && depth > 0; ++i) {
      depth += json[i] == '[' ? 1 : json[i] == ']' ? -1 : 0;
      if (json.compare(i, 9, "\"pages\":[") != 0) continue;
      size_t end = json.find(']', i);
      pages += "[" + std::regex_replace(json.substr(i + 9, end - i - 9), std::regex("\""), "") + "]";
      i = end;
    }
    return pages;
  }
};

TEST_F(ThreadCliTest, OverridingWithThePreviousPageContinuesOneStory) {
  std::string doc = Threaded(), one = Path("one.pgd"), two = Path("two.pgd"), three = Path("three.pgd");
  ASSERT_EQ(0, Layout(doc, one, "thread-override 1").status);
  ASSERT_EQ(0, Layout(one, two, "thread-override 2 --previous 1").status);
  ProgramResult r = Layout(two, three, "thread-override 3 --previous 2");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("[master page A:1][1,2,3]", StoryPages(three, "Body"));
  // Each story says its thread and whether it is an orphan; the main story belongs to none.
  std::string json = Inspect(three);
  EXPECT_TRUE(std::regex_search(
      json, std::regex("\"overset\":(true|false)[^{}]*,\"thread\":\\d+,\"orphan\":false\\}")))
      << json;
  EXPECT_NE(std::string::npos, json.find(",\"thread\":null,\"orphan\":false}")) << json;
  std::string summary = Run({"inspect", three}).out;
  EXPECT_TRUE(
      std::regex_search(summary, std::regex("Threads: 1\n  thread \\d+ \"Body\": story \\d+ \\(1 frame\\), "
                                            "story \\d+ \\(3 frames\\)\n")))
      << summary;
}

TEST_F(ThreadCliTest, WithoutAPreviousPageEachPageStartsAStoryAndThreadsStayApart) {
  std::string doc = Threaded(true), out = Path("out.pgd");
  ProgramResult r = Layout(doc, out, "thread-override 1 -- thread-override 2 -- thread-override 3");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("[master page A:1][1][2][3]", StoryPages(out, "Body"));
  EXPECT_EQ("[master page A:1][1][2][3]", StoryPages(out, "Side"));
}

TEST_F(ThreadCliTest, UndoSaveAndReopenGiveTheSameDocument) {
  std::string doc = Threaded(), undone = Path("undone.pgd"), done = Path("done.pgd"),
              again = Path("again.pgd");
  ProgramResult r = Layout(doc, undone,
                           "thread-orphan label:body on -- thread-override 1 -- thread-new Side -- "
                           "auto-flow --add-pages-mode document -- undo -- undo -- undo -- undo");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(Inspect(doc), Inspect(undone));
  ASSERT_EQ(0, Layout(doc, done, "thread-orphan label:body on -- thread-override 1").status);
  r = Layout(done, again, "thread-override 2 -- thread-rename Body Text -- undo -- undo");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(Inspect(done), Inspect(again));
}

TEST_F(ThreadCliTest, ThreadDataSurvivesAPagehostWithoutThreads) {
  std::string doc = Threaded(), out = Path("kept.pgd");
  ASSERT_EQ(0, Layout(doc, Path("flowed.pgd"), "thread-override 1 2").status);
  std::filesystem::create_directories(dir_ / "only-kesto");
  std::filesystem::create_symlink(std::filesystem::path(PAGEHOST_PLUGIN_DIR) / "Kesto.so",
                                  dir_ / "only-kesto" / "Kesto.so");
  ProgramResult r = Layout(Path("flowed.pgd"), out, "revert --page 1 -- undo -- frame --page 3 1,1,9,9",
                           {"--plugins", (dir_ / "only-kesto").string()});
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ(StoryPages(Path("flowed.pgd"), "Body"), StoryPages(out, "Body"));
  EXPECT_EQ("[master page A:1][2][1]", StoryPages(out, "Body"));
}

TEST_F(ThreadCliTest, RefusedOperationsExitWithTheReasonAndWriteNothing) {
  std::string doc = Threaded(), out = Path("refused.pgd");
  ASSERT_EQ(0, Layout(doc, Path("flowed.pgd"), "thread-override 1").status);
  const struct {
    const char* ops;
    int status;
    const char* reason;
  } rows[] = {
      {"thread-delete default", 1, "default thread cannot be deleted"},
      {"thread-assign label:body Nowhere", 1, "no thread named 'Nowhere'"},
      {"thread-set label:body 1", 1, "is no thread"},
      {"thread-orphan label:body maybe", 2, "on or off"},
      {"thread-override A:1", 1, "is a master page"},
      {"auto-flow --add-pages-mode often", 2, "off, page, section or document"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ops);
    ProgramResult r = Layout(doc, out, row.ops);
    EXPECT_EQ(row.status, r.status);
    EXPECT_NE(std::string::npos, r.err.find(row.reason)) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST_F(ThreadCliTest, PrefsShowAndSetTheAutoFlowPreferences) {
  ASSERT_EQ(0, Run({"prefs", "set", "add-pages-mode", "section"}).status);
  ASSERT_EQ(0, Run({"prefs", "set", "create-master-frames", "on"}).status);
  ProgramResult r = Run({"prefs", "--json"});
  EXPECT_NE(std::string::npos, r.out.find("\"create-master-frames\":true,\"add-pages-mode\":\"section\""))
      << r.out;
  EXPECT_EQ(2, Run({"prefs", "set", "add-pages-mode", "sometimes"}).status);
}

}  // namespace
}  // namespace cli_testing
