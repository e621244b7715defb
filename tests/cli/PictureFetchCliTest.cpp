// Picture boxes naming pictures on a server: fetched into the downloads folder beside the document,
// placed with their pixel size, fetched again only when the server has a newer one.
#include <fstream>

#include "tests/cli/CliTest.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TestHttpServer.h"

namespace cli_testing {
namespace {

class PictureFetchCliTest : public CliTest {};

TEST_F(PictureFetchCliTest, PicturesFromAServerLandBesideTheDocument) {
  std::filesystem::create_directories(Path("served"));
  testing_support::Bytes png = testing_support::SamplePng(40, 30);
  std::ofstream(Path("served/a.png"), std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  testing_support::TestHttpServer server(0, {}, {}, Path("served"));
  ASSERT_TRUE(server.Running());
  ASSERT_EQ(Run({"new", "-o", Path("doc.pgd")}).status, 0);
  std::string text = "x<&pbu(0,0,144,144,,,,,,,,,,,,,,,,\"" + server.URL("/file/a.png") + "\")>y";
  std::string missing = "<&pbu(0,0,144,144,,,,,,,,,,,,,,,,\"" + server.URL("/file/none.png") + "\")>";
  ProgramResult r =
      Run({"import", Write("in.txt", text + missing), "--into", Path("doc.pgd"), "-o", Path("out.pgd")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string json = Inspect(Path("out.pgd"));
  EXPECT_NE(json.find("\"pixels\":[40,30]"), std::string::npos) << json;
  EXPECT_NE(json.find("Downloads/a.png"), std::string::npos) << json;
  EXPECT_NE(json.find("Can't import picture"), std::string::npos) << json;
  EXPECT_TRUE(std::filesystem::exists(Path("Downloads/a.png")));
  EXPECT_FALSE(std::filesystem::exists(Path("Downloads/none.png")));
}

// --downloads chooses the folder; with link-downloads off the pictures are fetched all the same but stay
// linked to their URLs, and nothing is kept in any folder.
TEST_F(PictureFetchCliTest, TheChosenFolderAndUnlinkedDownloads) {
  std::filesystem::create_directories(Path("served"));
  for (const char* name : {"a.png", "b.png"}) {
    testing_support::Bytes png = testing_support::SamplePng(40, 30);
    std::ofstream(Path(std::string("served/") + name), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  testing_support::TestHttpServer server(0, {}, {}, Path("served"));
  ASSERT_TRUE(server.Running());
  std::string text;
  for (const char* name : {"a.png", "b.png"})
    text += "<&pbu(0,0,144,144,,,,,,,,,,,,,,,,\"" + server.URL(std::string("/file/") + name) + "\")>";
  std::string in = Write("in.txt", text);
  ProgramResult r = Run({"import", in, "-o", Path("linked.pgd"), "--downloads", Path("chosen")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(Path("chosen/a.png")) && std::filesystem::exists(Path("chosen/b.png")));
  EXPECT_NE(Inspect(Path("linked.pgd")).find("chosen/b.png"), std::string::npos);

  ASSERT_EQ(Run({"prefs", "set", "link-downloads", "off"}).status, 0);
  r = Run({"import", in, "-o", Path("unlinked.pgd"), "--downloads", Path("other")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string json = Inspect(Path("unlinked.pgd"));
  EXPECT_NE(json.find("\"uri\":\"" + server.URL("/file/a.png") + "\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"pixels\":[40,30]"), std::string::npos) << json;
  EXPECT_FALSE(std::filesystem::exists(Path("other")));
  EXPECT_EQ(Run({"import", in, "--downloads", ""}).status, 2);
}

}  // namespace
}  // namespace cli_testing
