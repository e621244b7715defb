// Names of pictures and tables as URIs: colon paths, relative names, URIs.
#include "kesto/layout/PictureReference.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace kesto {
namespace {

TEST(PictureReferenceTest, ColonPathsBecomeNativePaths) {
  struct Row {
    std::u16string name, native;
  } rows[] = {
      {u"Disk:Pictures:a.tif", u"/Disk/Pictures/a.tif"},
      {u"::a.tif", u"../a.tif"},
      {u":Pictures:a.tif", u"Pictures/a.tif"},
      {u"plain.tif", u"plain.tif"},
      {u"/abs/a.tif", u"/abs/a.tif"},
      {u"c:a.tif", u"c:a.tif"},
      {u"http://host/a.png", u"http://host/a.png"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.name));
    EXPECT_EQ(Utf8FromWide(row.native), Utf8FromWide(NativeFromColonPath(row.name)));
  }
}

TEST(PictureReferenceTest, RelativeNamesAreLookedForNextToTheDocumentThenTheSource) {
  auto dir = std::filesystem::temp_directory_path() / ("ref-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "doc");
  std::filesystem::create_directories(dir / "src" / "sub");
  std::ofstream(dir / "doc" / "both.png") << "d";
  std::ofstream(dir / "src" / "both.png") << "s";
  std::ofstream(dir / "src" / "only.png") << "s";
  std::ofstream(dir / "src" / "a b%.png") << "s";
  std::string docUri = "file://" + (dir / "doc").string();
  std::string srcUri = "file://" + (dir / "src").string();
  struct Row {
    std::u16string name;
    int32_t status;
    std::string uri;
  } rows[] = {
      {u"both.png", kReferenceUsable, docUri + "/both.png"},
      {u"only.png", kReferenceUsable, srcUri + "/only.png"},
      {u"none.png", kReferenceNoFile, docUri + "/none.png"},
      {u"sub", kReferenceIsFolder, srcUri + "/sub"},
      {u"a b%.png", kReferenceUsable, srcUri + "/a%20b%25.png"},
      {WideFromUtf8(srcUri + "/only.png"), kReferenceUsable, srcUri + "/only.png"},
      {WideFromUtf8(srcUri + "/a%20b%25.png"), kReferenceUsable, srcUri + "/a%20b%25.png"},
      {u"file://elsewhere/x.png", kReferenceBadName, "file://elsewhere/x.png"},
      {u"https://example.org/a.png?x=1", kReferenceUsable, "https://example.org/a.png?x=1"},
      {u"", kReferenceBadName, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Utf8FromWide(row.name));
    WideString uri;
    EXPECT_EQ(row.status, ResolvePictureReference(row.name, dir / "doc", dir / "src", uri));
    EXPECT_EQ(row.uri, Utf8FromWide(uri));
  }
  // Without a document or a source, a relative name names nothing.
  WideString uri;
  EXPECT_EQ(kReferenceBadName, ResolvePictureReference(u"only.png", {}, {}, uri));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kesto
