// Picture attributes, contour wraps and fitting of picture boxes.
#include "kesto/layout/PictureAttributes.h"

#include <algorithm>
#include <cmath>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/IPageItem.h"
#include "host/layout/IPlacementOptions.h"
#include "host/layout/PictureFitting.h"
#include "host/layout/PictureUtils.h"
#include "kesto/layout/BuilderCodes.h"
#include "kesto/layout/VyPageItem.h"

namespace kesto {
namespace {

int32_t Answer(ErrorCode code) {
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return static_cast<int32_t>(code);
}

// The placement options with the members the record sets.
PlacementOptions OptionsFor(const VyImageItemInfo& record, PlacementOptions options) {
  if (record.placementFitting >= 0 && record.placementFitting < kFrameFittingCount)
    options.fitting = static_cast<FrameFitting>(record.placementFitting);
  if (record.fitAnchor >= 0 && record.fitAnchor < kReferencePointCount)
    options.referencePoint = record.fitAnchor;
  if (record.autoFit != kUnsetSwitch) options.autoFit = record.autoFit != 0;
  double* sides[] = {&options.crop.left, &options.crop.top, &options.crop.right, &options.crop.bottom};
  for (size_t i = 0; i < 4; ++i)
    if (IsSet(record.crop[i])) *sides[i] = std::max(0.0, record.crop[i]);
  return options;
}

int32_t ApplyPlacementOptions(const VyImageItemInfo& record, IDataBase* db, UID frame) {
  auto placement = Instantiate<IPlacementOptions>(db, frame);
  if (!placement) return 0;
  PlacementOptions wanted = OptionsFor(record, placement->GetOptions());
  if (wanted == placement->GetOptions()) return 0;
  return Answer(PictureUtils::SetPlacementOptions(db, frame, wanted));
}

// The picture takes its scale, rotation and skew, and then its place: the offset puts the top left of
// what it covers at that distance from the frame's top left.
int32_t TransformPicture(const VyImageItemInfo& record, IDataBase* db, UID frame) {
  PictureFitting::ContentChange change;
  auto given = [](double v) { return IsSet(v) ? std::optional<double>(v) : std::nullopt; };
  change.scaleX = given(record.scaleX);
  change.scaleY = given(record.scaleY);
  change.rotation = given(record.pictureRotation);
  change.skew = given(record.pictureSkew);
  int32_t result = 0;
  if (change.scaleX || change.scaleY || change.rotation || change.skew)
    result = Answer(PictureFitting::TransformContent(db, frame, change));
  auto item = Instantiate<IPageItem>(db, frame);
  auto options = Instantiate<IPlacementOptions>(db, frame);
  if (result != 0 || !item || (!IsSet(record.offsetX) && !IsSet(record.offsetY))) return result;
  PMRect extent = PictureFitting::ContentExtent(db, PictureUtils::ContentOf(db, frame),
                                                options ? options->GetOptions().crop : Margins{0, 0, 0, 0});
  PictureFitting::ContentChange move;
  if (IsSet(record.offsetX)) move.dx = item->GetBounds().left + record.offsetX - extent.left;
  if (IsSet(record.offsetY)) move.dy = item->GetBounds().top + record.offsetY - extent.top;
  return Answer(PictureFitting::TransformContent(db, frame, move));
}

// The smaller of a given limit (none when not above 0) and `cap`.
double Limit(double given, double cap) {
  return given > 0 ? std::min(given, cap) : cap;
}

}  // namespace

void ContourWrap(const VyTextWrap& wrap, TextWrapSettings& wanted) {
  // Contour types of modes 4..10: 0 bounding box, 1 detected edges, 2 alpha channel, 3 path, 4 graphic
  // frame, 5 same as clipping.
  static constexpr int32_t kType[] = {0, 4, 5, 1, 2, 3, 1};
  if (!IsContourWrap(wrap.mode)) return;
  wanted.mode = WrapMode::kContour;
  ContourOptions& contour = wanted.contour;
  contour.type = kType[wrap.mode - 4];
  if (contour.type == 3 || contour.type == 2) {
    if (wrap.pathIndex >= 0) contour.index = wrap.pathIndex;
  }
  if (contour.type == 1 || contour.type == 2) {
    if (IsSet(wrap.threshold)) contour.threshold = std::clamp(wrap.threshold / 10, 0.0, 10.0);
    if (IsSet(wrap.tolerance))
      contour.tolerance = static_cast<int32_t>(std::lround(std::clamp(wrap.tolerance, 0.0, 1.0) * 255));
    if (wrap.insideEdges != kUnsetSwitch) contour.includeInsideEdges = wrap.insideEdges != 0;
  }
}

int32_t VyImageItemInfo::ApplyPictureAttributes(XPageItem& frame) const {
  IDataBase* db = frame.DataBase();
  int32_t result = ApplyPlacementOptions(*this, db, frame.GetUID());
  if (!PictureUtils::ContentOf(db, frame.GetUID()).IsValid()) return result;
  int32_t moved = TransformPicture(*this, db, frame.GetUID());
  return result != 0 ? result : moved;
}

int32_t ApplyFittingOption(IDataBase* db, UID frame, int32_t option) {
  static constexpr FitMode kModes[] = {FitMode::kCenter, FitMode::kContentToFrame, FitMode::kProportional,
                                       FitMode::kFill};
  if (option < 2 || option > 5 || !PictureUtils::ContentOf(db, frame).IsValid()) return 0;
  return Answer(PictureFitting::Fit(db, frame, kModes[option - 2]));
}

int32_t FitPictureBox(IDataBase* db, UID frame, const BoxPlacement& placement, bool keepOwnSize) {
  if (placement.fitWidthAlternate && placement.fitHeightAlternate) return kFitTooComplex;
  auto item = Instantiate<IPageItem>(db, frame);
  if (!item || !PictureUtils::ContentOf(db, frame).IsValid()) return 0;
  PMRect own = item->GetBounds();
  PictureFitting::FrameFitLimits limits;
  limits.width = placement.fitWidth || placement.fitWidthAlternate;
  limits.height = placement.fitHeight || placement.fitHeightAlternate;
  limits.widthLimit = Limit(placement.widthLimit, keepOwnSize ? own.Width() : kMaxCoordinate);
  limits.heightLimit = Limit(placement.heightLimit, keepOwnSize ? own.Height() : kMaxCoordinate);
  int32_t fitted = PictureFitting::FitFrameToContent(db, frame, limits);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return fitted;
}

int32_t FitPictureAfterPlacing(IDataBase* db, UID frame, const VyImageItemInfo& record,
                               const BoxPlacement& placement) {
  if (!placement.AnyFit()) {
    (void)ApplyFittingOption(db, frame, record.fitting);
    return 0;
  }
  int32_t fitted = FitPictureBox(db, frame, placement, false);
  if (fitted == kFitEmpty) return kBuildFitPictureEmpty;
  if (fitted != 0 && fitted != kFitTooLarge) return kBuildFitGeneral;
  (void)ApplyFittingOption(db, frame, record.fitting);
  if (fitted == kFitTooLarge && record.fitting > 2) {
    // The picture cannot have the frame it asks for: the frame goes as far as plain fits let it, and
    // the picture is then made to fit that frame.
    BoxPlacement plain = placement;
    plain.fitWidthAlternate = plain.fitHeightAlternate = false;
    plain.fitWidth = placement.fitWidth || placement.fitWidthAlternate;
    plain.fitHeight = placement.fitHeight || placement.fitHeightAlternate;
    (void)FitPictureBox(db, frame, plain, false);
    (void)Answer(PictureFitting::Fit(db, frame, FitMode::kProportional));
  }
  return 0;
}

}  // namespace kesto
