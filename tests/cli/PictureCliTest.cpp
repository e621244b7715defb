// Pictures from outside: placing a PNG and a JPEG of known size and resolution, what inspect --json says of
// them, and what links says once a file is gone.
#include <filesystem>

#include "tests/cli/CliTest.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace cli_testing {
namespace {

class PictureCliTest : public CliTest {};

TEST_F(PictureCliTest, PlacedPicturesReportTheirPixelsResolutionAndLinkState) {
  testing_support::WriteBytes(Path("odd name's #1.png"), testing_support::SamplePng(300, 150, 300));
  testing_support::WriteBytes(Path("photo.jpg"), testing_support::SampleJpeg(100, 50, 150));
  ASSERT_EQ(Run({"new", "-o", Path("doc.pgd")}).status, 0);
  ProgramResult r = Run({"layout",
                         Path("doc.pgd"),
                         "-o",
                         Path("placed.pgd"),
                         "frame",
                         "--graphic",
                         "--page",
                         "1",
                         "36,36,336,236",
                         "--label",
                         "a",
                         "--",
                         "frame",
                         "--graphic",
                         "--page",
                         "1",
                         "36,300,336,400",
                         "--label",
                         "b",
                         "--",
                         "place",
                         "label:a",
                         Path("odd name's #1.png"),
                         "--",
                         "place",
                         "label:b",
                         Path("photo.jpg"),
                         "--fit",
                         "proportional"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string json = Inspect(Path("placed.pgd"));
  for (const char* expected :
       {"\"format\":\"png\",\"pixels\":[300,150],\"ppi\":[300,300],\"effectivePpi\":[300,300]",
        "\"format\":\"jpeg\",\"pixels\":[100,50],\"ppi\":[150,150],\"effectivePpi\":[36,36]",
        "\"uri\":\"file://", "%20name%27s%20%231.png\",\"state\":\"normal\""}) {
    EXPECT_NE(json.find(expected), std::string::npos) << expected << "\n" << json;
  }
  std::filesystem::remove(Path("odd name's #1.png"));
  r = Run({"links", Path("placed.pgd")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("missing   png"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("normal    jpeg"), std::string::npos) << r.out;
  r = Run({"layout", Path("placed.pgd"), "-o", Path("relinked.pgd"), "relink", "label:a", Path("photo.jpg")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(Run({"links", Path("relinked.pgd"), "--json"}).out.find("\"state\":\"normal\""),
            std::string::npos);
  r = Run({"layout", Path("placed.pgd"), "-o", Path("bad.pgd"), "place", "label:a", Path("doc.pgd")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is no picture the host can place"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace cli_testing
