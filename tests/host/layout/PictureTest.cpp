// Pictures in graphic frames: placing files (and proxies for missing ones), links that notice changed and
// missing files, fitting, content transforms, undo, copies, and saving and reopening.
#include <cmath>
#include <filesystem>

#include "host/layout/IImageContent.h"
#include "host/layout/PictureUtils.h"
#include "tests/host/layout/LayoutFixture.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace layout_test {
namespace {

using namespace testing_support;

class PictureTest : public LayoutFixture {
 protected:
  void SetUp() override {
    LayoutFixture::SetUp();
    WriteBytes(dir_ / "wide 300ppi.png", SamplePng(300, 150, 300));  // 72 x 36 pt
    WriteBytes(dir_ / "square.jpg", SampleJpeg(100, 100, 72));       // 100 x 100 pt
    frame_ = NewFrame({100, 100, 300, 200});
  }
  UID NewFrame(PMRect bounds) {
    std::vector<UID> made;
    EXPECT_EQ(Run(kCreateGraphicFrameCmdBoss, {}, {.bounds = bounds, .target = Spread(0)}, &made), kSuccess);
    return made.empty() ? kInvalidUID : made[0];
  }
  ErrorCode Place(const std::string& name, PictureUtils::PlaceRequest request = {}) {
    std::string message;
    return PictureUtils::PlacePicture(db_, frame_, (dir_ / name).string(), request, message);
  }
  PMRect Bounds(UID item) const { return Instantiate<IPageItem>(db_, item)->GetBounds(); }
  // The picture facts of the document besides its geometry, one line per image item.
  static std::string Facts(IDataBase* db) {
    std::ostringstream out;
    for (UID image : PictureUtils::ImageItems(db)) {
      auto content = Instantiate<IImageContent>(db, image);
      const PictureInfo& i = content->GetInfo();
      auto link = Instantiate<ILinkResource>(db, content->GetLink());
      out << image.Get() << " " << PictureFormatName(i.format) << " " << i.width << "x" << i.height << " "
          << i.ppiX << " " << content->IsProxy() << " " << (link ? link->GetData().uri : "-") << " "
          << (link ? LinkStateName(link->GetData().state) : "-") << "\n";
    }
    return out.str();
  }
  std::string State() const { return DumpLayout(db_) + Facts(db_); }

  TempFolder dir_{"pictures"};
  UID frame_;
};

TEST_F(PictureTest, PlacingAFileGivesTheFrameAPictureOfItsNaturalSizeUndoneInOneStep) {
  std::string before = State();
  ASSERT_EQ(Place("wide 300ppi.png"), kSuccess);
  UID image = PictureUtils::ContentOf(db_, frame_);
  ASSERT_TRUE(image.IsValid());
  EXPECT_EQ(Bounds(image), (PMRect{100, 100, 172, 136}));
  EXPECT_EQ(Facts(db_), std::to_string(image.Get()) + " png 300x150 300 0 " +
                            PictureUtils::FileUri(dir_ / "wide 300ppi.png") + " normal\n");
  EXPECT_EQ(PictureUtils::FileUri("/a b/ü%.png"), "file:///a%20b/%C3%BC%25.png");
  EXPECT_EQ(PictureUtils::PathOfUri("file:///a%20b/%C3%BC%25.png"), "/a b/ü%.png");
  std::string placed = State();
  ASSERT_EQ(Place("square.jpg"), kSuccess);  // replaces the picture
  EXPECT_EQ(PictureUtils::ImageItems(db_).size(), 1u);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(State(), placed);
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  EXPECT_EQ(State(), before);
  ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
  EXPECT_EQ(State(), placed);
}

TEST_F(PictureTest, PlacingIsRefusedSayingWhyAndChangesNothing) {
  Bytes cut = SamplePng(9, 9);
  cut.resize(30);
  WriteBytes(dir_ / "cut.png", cut);
  UID text = MainFrame();
  const struct {
    const char* file;
    std::function<void()> before;
    UID frame;
    ErrorCode code;
    const char* reason;
  } rows[] = {
      {"cut.png", [] {}, frame_, kPictureDamagedError, "cut.png is a damaged or incomplete picture"},
      {"https://example.org/a.png", [] {}, frame_, kCannotImportURIError, "the host places files only"},
      {"square.jpg", [] {}, text, kInvalidParameterError, " is no graphic frame"},
      {"square.jpg", [&] { ASSERT_EQ(Run(kLockItemsCmdBoss, {frame_}, {.flag = true}), kSuccess); }, frame_,
       kInvalidParameterError, " is locked"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    row.before();
    std::string before = State(), message;
    std::string file =
        std::string_view(row.file).starts_with("https:") ? row.file : (dir_ / row.file).string();
    EXPECT_EQ(PictureUtils::PlacePicture(db_, row.frame, file, {}, message), row.code);
    EXPECT_TRUE(message.ends_with(row.reason)) << message;
    EXPECT_EQ(State(), before);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
}

TEST_F(PictureTest, LinksNoticeChangedAndMissingFilesAndUpdateBringsPicturesUpToDate) {
  ASSERT_EQ(Place("missing.png"), kFileNotFoundError);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  ASSERT_EQ(Place("missing.png", {.proxyWhenMissing = true}), kSuccess);
  UID image = PictureUtils::ContentOf(db_, frame_);
  EXPECT_TRUE(Instantiate<IImageContent>(db_, image)->IsProxy());
  EXPECT_EQ(Bounds(image), Bounds(frame_));  // a proxy shows where the picture goes
  std::string message;
  int32_t updated = 0;
  struct Step {
    const char* what;
    std::function<void()> change;
    LinkState before;  // what the link's file is found to be before updating
    bool proxy;
    PMRect bounds;
  };
  const Step steps[] = {
      {"the file appears",
       [&] { WriteBytes(dir_ / "missing.png", SamplePng(10, 20)); },
       LinkState::kModified,
       false,
       {100, 100, 110, 120}},
      {"it changes",
       [&] { WriteBytes(dir_ / "missing.png", SamplePng(30, 20)); },
       LinkState::kModified,
       false,
       {100, 100, 130, 120}},
      {"it goes",
       [&] { std::filesystem::remove(dir_ / "missing.png"); },
       LinkState::kMissing,
       true,
       {100, 100, 130, 120}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    EXPECT_EQ(PictureUtils::CurrentState(PictureUtils::LinksInUse(db_).at(0).data), step.before);
    ASSERT_EQ(PictureUtils::UpdateLinks(db_, updated, message), kSuccess) << message;
    EXPECT_EQ(updated, 1);
    EXPECT_EQ(Instantiate<IImageContent>(db_, image)->IsProxy(), step.proxy);
    EXPECT_EQ(Bounds(image), step.bounds);
    ASSERT_EQ(PictureUtils::UpdateLinks(db_, updated, message), kSuccess);
    EXPECT_EQ(updated, 0);  // nothing changed since
  }
  ASSERT_EQ(PictureUtils::Relink(db_, frame_, (dir_ / "square.jpg").string(), message), kSuccess) << message;
  EXPECT_EQ(Bounds(image), (PMRect{100, 100, 200, 200}));
  EXPECT_EQ(PictureUtils::LinksInUse(db_).size(), 1u);  // the old link is no longer in use
}

TEST_F(PictureTest, FittingScalesAndCentresTheContentOrFitsTheFrameWithinLimits) {
  ASSERT_EQ(Place("square.jpg"), kSuccess);  // 100 x 100 pt in a frame of 200 x 100
  UID image = PictureUtils::ContentOf(db_, frame_);
  struct Row {
    FitMode mode;
    double scaleX, scaleY;
  };
  for (Row row : {Row{FitMode::kContentToFrame, 2, 1}, Row{FitMode::kProportional, 1, 1},
                  Row{FitMode::kFill, 2, 2}, Row{FitMode::kCenter, 2, 2}}) {
    SCOPED_TRACE(static_cast<int>(row.mode));
    ASSERT_EQ(PictureFitting::Fit(db_, frame_, row.mode), kSuccess);
    const ItemTransform& t = Instantiate<IPageItem>(db_, image)->GetTransform();
    EXPECT_DOUBLE_EQ(t.scaleX, row.scaleX);
    EXPECT_DOUBLE_EQ(t.scaleY, row.scaleY);
    PMRect extent = PictureFitting::ContentExtent(db_, image, {0, 0, 0, 0});
    EXPECT_EQ(extent.Center(), Bounds(frame_).Center());
  }
  ASSERT_EQ(
      PictureFitting::TransformContent(db_, frame_, {.dx = 5, .scaleX = 0.5, .scaleY = 0.5, .rotation = 90}),
      kSuccess);
  EXPECT_EQ(PictureFitting::FitFrameToContent(db_, NewFrame({0, 0, 10, 10}), {}), -1);
  EXPECT_EQ(PictureFitting::FitFrameToContent(db_, frame_, {.widthLimit = 49}), -2);
  EXPECT_EQ(PictureFitting::FitFrameToContent(db_, frame_, {.widthLimit = 50}), 0);
  EXPECT_EQ(Bounds(frame_), (PMRect{180, 125, 230, 175}));
  ASSERT_EQ(Run(kLockItemsCmdBoss, {frame_}, {.flag = true}), kSuccess);
  EXPECT_EQ(PictureFitting::FitFrameToContent(db_, frame_, {}), -5);
}

TEST_F(PictureTest, PicturesLinksAndPlacementOptionsAreSavedAndCopied) {
  PlacementOptions options{.fitting = FrameFitting::kProportional, .referencePoint = 4, .crop = {1, 2, 3, 4}};
  ASSERT_EQ(PictureUtils::SetPlacementOptions(db_, frame_, options), kSuccess);
  ASSERT_EQ(Place("wide 300ppi.png", {.page = 1}), kSuccess);
  ASSERT_EQ(Run(kDuplicateSpreadCmdBoss, {Spread(0)}, {.position = -1}), kSuccess);
  std::vector<UID> images = PictureUtils::ImageItems(db_);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(PictureUtils::LinksInUse(db_).at(0).images, images);
  TempFolder files("picture-files");
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db_, files / "doc.pgd").ok());
  IDataBase* again = nullptr;
  DocumentResult opened = DocumentList::Get().OpenDocument(files / "doc.pgd", again);
  ASSERT_TRUE(opened.ok()) << opened.message;
  EXPECT_EQ(DumpLayout(again) + Facts(again), State());
  UID copy = Instantiate<IHierarchy>(again, images[1])->GetParent();
  EXPECT_EQ(Instantiate<IPlacementOptions>(again, copy)->GetOptions(), options);
  DocumentList::Get().CloseDocument(again);
}

}  // namespace
}  // namespace layout_test
