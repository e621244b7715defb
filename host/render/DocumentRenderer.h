// DocumentRenderer: draws pages or spreads of a document to a PDF (one file, a page per sheet), or to PNG or
// SVG files (one per sheet). Every file is written to a temporary in its folder and takes its name only when
// complete, so that no partial file is ever left: a PDF once every sheet was drawn; PNG and SVG files one by
// one, those made by the run removed again when a later sheet fails.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "host/db/FileResult.h"
#include "host/db/IDataBase.h"

enum class RenderFormat { kPdf, kPng, kSvg };

// The largest PNG drawn, per side and in all, in pixels: a page at a resolution beyond them is refused.
inline constexpr int32_t kMaxRenderSide = 32767;
inline constexpr int64_t kMaxRenderPixels = int64_t{1} << 27;
// The resolutions a PNG may be drawn at, in pixels per inch.
inline constexpr double kMinRenderDpi = 1;
inline constexpr double kMaxRenderDpi = 2400;

struct RenderRequest {
  std::filesystem::path output;
  RenderFormat format = RenderFormat::kPdf;
  std::vector<int32_t> pages;  // document page indexes (0-based) ascending; every page when empty
  double dpi = 72;             // PNG only
  bool guides = false;
  bool spreads = false;
  // Called after each sheet with the sheets done and the total; answering false stops the drawing, which
  // then fails with kCancel.
  std::function<bool(int32_t done, int32_t total)> progress;
};

namespace DocumentRenderer {

// The format a file name's extension asks for (.pdf, .png, .svg in any case); false for another.
bool FormatOfPath(const std::filesystem::path& path, RenderFormat& format);
// Draws and writes the request: a PDF, or a single sheet, to `output` itself; several PNG or SVG sheets to
// OUT-N.png (.svg) beside it, N the document position (1-based) of each sheet's first page. Fails with
// kInvalidParameterError (no pages, a page index out of range, a PNG beyond kMaxRenderSide or
// kMaxRenderPixels), kWriteFailedError (with the file and the reason), kCancel, or kFailure when cairo fails;
// the message says which for the user.
FileResult Render(IDataBase* db, const RenderRequest& request);

}  // namespace DocumentRenderer
