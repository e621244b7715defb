// Fitting pictures and frames, and transforming pictures in their frames.
#include "host/layout/PictureFitting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/layout/IPlacementOptions.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/layout/PictureUtils.h"

namespace PictureFitting {
namespace {

constexpr std::array<std::pair<std::string_view, FitMode>, 5> kModes = {{
    {"content-to-frame", FitMode::kContentToFrame},
    {"frame-to-content", FitMode::kFrameToContent},
    {"proportional", FitMode::kProportional},
    {"fill", FitMode::kFill},
    {"center", FitMode::kCenter},
}};

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// The bounding box of `box` under `t` (scale and flips, then skew along x, then rotation, about the centre
// of `about`).
PMRect Transformed(const PMRect& box, const PMRect& about, const ItemTransform& t) {
  PMPoint c = about.Center();
  double sx = t.scaleX * (t.flipHorizontal ? -1 : 1);
  double sy = t.scaleY * (t.flipVertical ? -1 : 1);
  double shear = std::tan(Radians(t.skew));
  double cosA = std::cos(Radians(t.rotation));
  double sinA = std::sin(Radians(t.rotation));
  PMRect extent{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (PMPoint p : {PMPoint{box.left, box.top}, PMPoint{box.right, box.top}, PMPoint{box.left, box.bottom},
                    PMPoint{box.right, box.bottom}}) {
    double x = (p.x - c.x) * sx;
    double y = (p.y - c.y) * sy;
    x -= y * shear;
    double rx = x * cosA + y * sinA + c.x;
    double ry = -x * sinA + y * cosA + c.y;
    extent = {std::min(extent.left, rx), std::min(extent.top, ry), std::max(extent.right, rx),
              std::max(extent.bottom, ry)};
  }
  return extent;
}

Margins CropOf(const IDataBase* db, UID frame) {
  auto options = Instantiate<IPlacementOptions>(db, frame);
  return options ? options->GetOptions().crop : Margins{0, 0, 0, 0};
}

// The part of the natural box left after cropping; empty (zero-sized) when the crop takes it all.
PMRect Cropped(const PMRect& b, const Margins& crop) {
  PMRect r{b.left + crop.left, b.top + crop.top, b.right - crop.right, b.bottom - crop.bottom};
  if (r.right < r.left) r.left = r.right = b.Center().x;
  if (r.bottom < r.top) r.top = r.bottom = b.Center().y;
  return r;
}

ErrorCode NoPicture(UID frame) {
  std::string reason = "item " + std::to_string(frame.Get()) + " holds no picture with a size to fit";
  if (ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
    ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError, std::move(reason));
  return kInvalidParameterError;
}

ErrorCode Move(IDataBase* db, UID item, double dx, double dy) {
  if (dx == 0 && dy == 0) return kSuccess;
  LayoutParams p;
  p.dx = dx;
  p.dy = dy;
  return LayoutCmdUtils::Process(kMoveItemsCmdBoss, db, {item}, p);
}

ErrorCode SetTransform(IDataBase* db, UID item, const ItemTransform& t) {
  LayoutParams p;
  p.transform = t;
  return LayoutCmdUtils::Process(kTransformItemsCmdBoss, db, {item}, p);
}

// The scale each way that fits the cropped content to the frame in `mode`.
std::pair<double, double> FitScale(const PMRect& frame, const ItemTransform& frameT, const PMRect& visible,
                                   const ItemTransform& t, FitMode mode) {
  if (mode == FitMode::kCenter) return {t.scaleX, t.scaleY};
  double cosA = std::fabs(std::cos(Radians(t.rotation)));
  double sinA = std::fabs(std::sin(Radians(t.rotation)));
  double w = sinA * visible.Height() + cosA * visible.Width();
  double h = sinA * visible.Width() + cosA * visible.Height();
  double sx = frame.Width() * std::fabs(frameT.scaleX) / w;
  double sy = frame.Height() * std::fabs(frameT.scaleY) / h;
  if (mode == FitMode::kProportional) sx = sy = std::min(sx, sy);
  if (mode == FitMode::kFill) sx = sy = std::max(sx, sy);
  return {sx, sy};
}

}  // namespace

std::optional<FitMode> FitModeNamed(std::string_view name) {
  for (const auto& [modeName, mode] : kModes) {
    if (modeName == name) return mode;
  }
  return std::nullopt;
}

PMRect ContentExtent(const IDataBase* db, UID image, const Margins& crop) {
  auto item = Instantiate<IPageItem>(db, image);
  if (!item) return {};
  return Transformed(Cropped(item->GetBounds(), crop), item->GetBounds(), item->GetTransform());
}

ErrorCode Fit(IDataBase* db, UID frame, FitMode mode) {
  if (mode == FitMode::kFrameToContent) {
    int32_t result = FitFrameToContent(db, frame, {});
    if (result == -1) return NoPicture(frame);
    return result == 0 ? kSuccess : ErrorUtils::PMGetGlobalErrorCode();
  }
  UID image = PictureUtils::ContentOf(db, frame);
  if (!image.IsValid() || image == frame) return NoPicture(frame);
  auto frameItem = Instantiate<IPageItem>(db, frame);
  auto imageItem = Instantiate<IPageItem>(db, image);
  PMRect visible = Cropped(imageItem->GetBounds(), CropOf(db, frame));
  if (visible.Width() <= 0 || visible.Height() <= 0) return NoPicture(frame);
  ItemTransform t = imageItem->GetTransform();
  std::tie(t.scaleX, t.scaleY) =
      FitScale(frameItem->GetBounds(), frameItem->GetTransform(), visible, t, mode);
  PMRect extent = Transformed(visible, imageItem->GetBounds(), t);
  PMPoint target = frameItem->GetBounds().Center();
  CommandSequenceScope sequence("Fit");
  if (ErrorCode err = SetTransform(db, image, t); err != kSuccess) return err;
  return Move(db, image, target.x - extent.Center().x, target.y - extent.Center().y);
}

int32_t FitFrameToContent(IDataBase* db, UID frame, const FrameFitLimits& limits) {
  UID image = PictureUtils::ContentOf(db, frame);
  if (!image.IsValid() || image == frame) return -1;
  PMRect natural = Instantiate<IPageItem>(db, image)->GetBounds();
  if (natural.Width() <= 0 || natural.Height() <= 0) return -1;
  PMRect extent = ContentExtent(db, image, CropOf(db, frame));
  if ((limits.width && extent.Width() > limits.widthLimit) ||
      (limits.height && extent.Height() > limits.heightLimit))
    return -2;
  LayoutParams p;
  p.bounds = Instantiate<IPageItem>(db, frame)->GetBounds();
  if (limits.width) std::tie(p.bounds.left, p.bounds.right) = std::pair(extent.left, extent.right);
  if (limits.height) std::tie(p.bounds.top, p.bounds.bottom) = std::pair(extent.top, extent.bottom);
  return LayoutCmdUtils::Process(kSetBoundsCmdBoss, db, {frame}, p) == kSuccess ? 0 : -5;
}

ErrorCode TransformContent(IDataBase* db, UID frame, const ContentChange& change) {
  UID image = PictureUtils::ContentOf(db, frame);
  if (!image.IsValid()) return NoPicture(frame);
  ItemTransform t = Instantiate<IPageItem>(db, image)->GetTransform();
  ItemTransform changed = t;
  changed.scaleX = change.scaleX.value_or(t.scaleX);
  changed.scaleY = change.scaleY.value_or(t.scaleY);
  changed.rotation = change.rotation.value_or(t.rotation);
  changed.skew = change.skew.value_or(t.skew);
  CommandSequenceScope sequence("Transform Content");
  if (changed != t) {
    if (ErrorCode err = SetTransform(db, image, changed); err != kSuccess) return err;
  }
  return Move(db, image, change.dx, change.dy);
}

}  // namespace PictureFitting
