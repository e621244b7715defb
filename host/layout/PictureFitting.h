// PictureFitting: fitting a graphic frame's picture to the frame, or the frame to its picture, and moving
// or transforming the picture inside its frame. Each runs the host's geometry commands in one command
// sequence (one undo step), so that observers hear of the changes as of any move or transform.
//
// Sizes: the content's size is its natural size less the frame's crop, scaled and rotated by its
// transform; the frame's size is its bounds scaled by its own transform.
#pragma once

#include <optional>
#include <string_view>

#include "host/db/IDataBase.h"
#include "host/layout/Geometry.h"

enum class FitMode {
  kContentToFrame,  // scales each way so that the content fills the frame, then centres it
  kFrameToContent,  // the frame's bounds become the content's extent
  kProportional,    // scales both ways by the smaller factor, then centres
  kFill,            // scales both ways by the larger factor, then centres
  kCenter,          // centres the content, keeping its scale
};

namespace PictureFitting {

// The mode named "content-to-frame", "frame-to-content", "proportional", "fill" or "center"; none for
// other names.
std::optional<FitMode> FitModeNamed(std::string_view name);

// Fits `frame`'s picture. kSuccess; kInvalidParameterError when `frame` is no graphic frame with a picture
// or the picture has no size; otherwise the error of the refused geometry command (a locked item, bounds
// beyond the coordinate limit), with nothing changed.
ErrorCode Fit(IDataBase* db, UID frame, FitMode mode);

// Which sides fitting the frame to its content may change, and the largest size each may take.
struct FrameFitLimits {
  bool width = true;
  bool height = true;
  double widthLimit = kMaxCoordinate;
  double heightLimit = kMaxCoordinate;
};
// Fits `frame`'s bounds to its picture's extent (the sides `limits` allow take the extent's), the picture
// staying where it is on the spread. Answers 0
// when done (or nothing to do), -1 when the frame holds no picture or one of no size, -2 when the size
// needed is beyond a limit (nothing changed), -5 when the host refused the change.
int32_t FitFrameToContent(IDataBase* db, UID frame, const FrameFitLimits& limits);

// A change of the content's place and transform inside its frame: moved by (dx, dy), and each given value
// replacing the transform's.
struct ContentChange {
  double dx = 0;
  double dy = 0;
  std::optional<double> scaleX, scaleY, rotation, skew;
};
// Changes `frame`'s picture (`frame` may also name the image item). Same answers as Fit.
ErrorCode TransformContent(IDataBase* db, UID frame, const ContentChange& change);

// The extent of the content of `image` (its bounds less `crop`, under its transform) in spread
// coordinates.
PMRect ContentExtent(const IDataBase* db, UID image, const Margins& crop);

}  // namespace PictureFitting
