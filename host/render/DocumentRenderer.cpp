// Drawing a document to files.
#include "host/render/DocumentRenderer.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>

#include "host/db/SafeFileWriter.h"
#include "host/layout/LayoutUtils.h"
#include "host/render/GlyphFaces.h"
#include "host/render/PngWriter.h"
#include "host/render/SheetPainter.h"

namespace DocumentRenderer {
namespace {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

cairo_status_t WriteToStream(void* closure, const unsigned char* data, unsigned int length) {
  auto* stream = static_cast<FileStream*>(closure);
  size_t wrote = stream->XferBytes(const_cast<uint8_t*>(data), length);
  return wrote == length && stream->GetState() == IPMStream::State::kGood ? CAIRO_STATUS_SUCCESS
                                                                          : CAIRO_STATUS_WRITE_ERROR;
}

FileResult Failed(ErrorCode code, std::string message) {
  return {code, std::move(message)};
}

// A write error shows as the writer's own message when its commit runs; anything else cairo reports is
// named here.
FileResult CairoFailure(cairo_status_t status, const std::filesystem::path& file) {
  if (status == CAIRO_STATUS_SUCCESS) return {};
  if (status == CAIRO_STATUS_WRITE_ERROR) return Failed(kWriteFailedError, "cannot write " + file.string());
  return Failed(kFailure, "cannot draw " + file.string() + ": " + cairo_status_to_string(status));
}

std::filesystem::path NumberedFile(const std::filesystem::path& output, int32_t number) {
  std::filesystem::path file = output;
  file.replace_filename(output.stem().string() + "-" + std::to_string(number) + output.extension().string());
  return file;
}

// The output files, one per sheet (one in all for a PDF or a single sheet).
std::vector<std::filesystem::path> FilesFor(const IDataBase* db, const RenderRequest& request,
                                            const std::vector<Sheet>& sheets) {
  if (request.format == RenderFormat::kPdf || sheets.size() == 1) return {request.output};
  std::vector<std::filesystem::path> files;
  for (const Sheet& sheet : sheets)
    files.push_back(NumberedFile(request.output, LayoutUtils::PageIndexOf(db, sheet.pages.front()) + 1));
  return files;
}

FileResult CheckSize(const Sheet& sheet, double dpi, int32_t position, int& width, int& height) {
  double w = std::ceil(sheet.area.Width() * dpi / 72), h = std::ceil(sheet.area.Height() * dpi / 72);
  if (w < 1 || h < 1 || w > kMaxRenderSide || h > kMaxRenderSide || w * h > double(kMaxRenderPixels))
    return Failed(kInvalidParameterError,
                  "page " + std::to_string(position) + " at " + std::to_string(static_cast<int>(dpi)) +
                      " dpi would be " + std::to_string(static_cast<int64_t>(w)) + " x " +
                      std::to_string(static_cast<int64_t>(h)) + " pixels, more than the renderer draws (" +
                      std::to_string(kMaxRenderSide) + " a side, " + std::to_string(kMaxRenderPixels) +
                      " in all); choose a lower --dpi");
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return {};
}

class Job {
 public:
  Job(IDataBase* db, const RenderRequest& request, std::vector<Sheet> sheets)
      : db_(db), request_(request), sheets_(std::move(sheets)), files_(FilesFor(db, request, sheets_)) {}

  FileResult Run() { return request_.format == RenderFormat::kPdf ? DrawPdf() : DrawEach(); }

 private:
  PaintContext Paint(cairo_t* cr) { return {cr, db_, &faces_, request_.guides}; }

  bool Progress(size_t done) {
    return !request_.progress ||
           request_.progress(static_cast<int32_t>(done), static_cast<int32_t>(sheets_.size()));
  }

  FileResult DrawPdf() {
    std::unique_ptr<SafeFileWriter> writer;
    if (FileResult begun = SafeFileWriter::Begin(files_[0], writer); !begun.ok()) return begun;
    const PMRect& first = sheets_.front().area;
    Surface surface(
        cairo_pdf_surface_create_for_stream(WriteToStream, &writer->Stream(), first.Width(), first.Height()));
    Context cr(cairo_create(surface.get()));
    for (size_t i = 0; i < sheets_.size(); ++i) {
      cairo_pdf_surface_set_size(surface.get(), sheets_[i].area.Width(), sheets_[i].area.Height());
      SheetPainter::Draw(Paint(cr.get()), sheets_[i]);
      cairo_show_page(cr.get());
      if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) break;
      if (!Progress(i + 1)) return Failed(kCancel, "the rendering was cancelled");
    }
    cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    cairo_surface_finish(surface.get());
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
    if (FileResult failed = CairoFailure(status, files_[0]); !failed.ok()) return failed;
    return writer->Commit();
  }

  FileResult DrawPng(const Sheet& sheet, FileStream& stream, const std::filesystem::path& file) {
    int width = 0, height = 0;
    int32_t position = LayoutUtils::PageIndexOf(db_, sheet.pages.front()) + 1;
    if (FileResult fits = CheckSize(sheet, request_.dpi, position, width, height); !fits.ok()) return fits;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    Context cr(cairo_create(surface.get()));
    cairo_scale(cr.get(), request_.dpi / 72, request_.dpi / 72);
    SheetPainter::Draw(Paint(cr.get()), sheet);
    cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    if (FileResult failed = CairoFailure(status, file); !failed.ok()) return failed;
    return PngWriter::Write(surface.get(), stream)
               ? FileResult()
               : Failed(kWriteFailedError, "cannot write " + file.string());
  }

  FileResult DrawSvg(const Sheet& sheet, FileStream& stream, const std::filesystem::path& file) {
    Surface surface(
        cairo_svg_surface_create_for_stream(WriteToStream, &stream, sheet.area.Width(), sheet.area.Height()));
    cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
    Context cr(cairo_create(surface.get()));
    SheetPainter::Draw(Paint(cr.get()), sheet);
    cairo_status_t status = cairo_status(cr.get());
    cr.reset();
    cairo_surface_finish(surface.get());
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
    return CairoFailure(status, file);
  }

  // One file per sheet, each put in place once drawn, so that no more than one temporary is open; a failure
  // removes the files this run made (files it replaced keep their new, whole content).
  FileResult DrawEach() {
    std::vector<std::filesystem::path> made;
    FileResult result;
    for (size_t i = 0; i < sheets_.size() && result.ok(); ++i) {
      std::error_code error;
      bool existed = std::filesystem::exists(files_[i], error);
      std::unique_ptr<SafeFileWriter> writer;
      result = SafeFileWriter::Begin(files_[i], writer);
      if (!result.ok()) break;
      result = request_.format == RenderFormat::kPng ? DrawPng(sheets_[i], writer->Stream(), files_[i])
                                                     : DrawSvg(sheets_[i], writer->Stream(), files_[i]);
      if (result.ok()) result = writer->Commit();
      if (result.ok() && !existed) made.push_back(writer->Target());
      if (result.ok() && !Progress(i + 1)) result = Failed(kCancel, "the rendering was cancelled");
    }
    for (const auto& file : result.ok() ? std::vector<std::filesystem::path>() : made) {
      std::error_code error;
      std::filesystem::remove(file, error);
    }
    return result;
  }

  IDataBase* db_;
  const RenderRequest& request_;
  std::vector<Sheet> sheets_;
  std::vector<std::filesystem::path> files_;
  GlyphFaces faces_;
};

}  // namespace

bool FormatOfPath(const std::filesystem::path& path, RenderFormat& format) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".pdf")
    format = RenderFormat::kPdf;
  else if (extension == ".png")
    format = RenderFormat::kPng;
  else if (extension == ".svg")
    format = RenderFormat::kSvg;
  else
    return false;
  return true;
}

FileResult Render(IDataBase* db, const RenderRequest& request) {
  int32_t count = LayoutUtils::CountPages(db);
  std::vector<int32_t> pages = request.pages;
  if (pages.empty()) {
    for (int32_t i = 0; i < count; ++i)
      pages.push_back(i);
  }
  for (int32_t index : pages) {
    if (index < 0 || index >= count)
      return Failed(kInvalidParameterError, "the document has no page " + std::to_string(index + 1) +
                                                " (it has " + std::to_string(count) + ")");
  }
  std::vector<Sheet> sheets = SheetPainter::SheetsOf(db, pages, request.spreads);
  if (sheets.empty()) return Failed(kInvalidParameterError, "the document has no pages to render");
  if (!(request.dpi >= kMinRenderDpi && request.dpi <= kMaxRenderDpi))
    return Failed(kInvalidParameterError, "the resolution must be between " +
                                              std::to_string(int(kMinRenderDpi)) + " and " +
                                              std::to_string(int(kMaxRenderDpi)) + " dpi");
  return Job(db, request, std::move(sheets)).Run();
}

}  // namespace DocumentRenderer
