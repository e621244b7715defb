// Drawing placed pictures.
#include "host/render/PicturePainter.h"

#include <cstdint>

#include "host/core/InterfacePtr.h"
#include "host/layout/IImageContent.h"
#include "host/layout/ILinkResource.h"
#include "host/layout/PictureUtils.h"

namespace PicturePainter {
namespace {

// Pictures with more pixels than this are drawn as a crossed box: decoding them would take more memory than
// a page is worth.
constexpr int64_t kMaxDrawnPixels = int64_t{64} << 20;

// The decoded pixels of the picture's file, or null: only a PNG whose link is in order and whose size is
// still the one placed is read.
cairo_surface_t* LoadPixels(const IDataBase* db, const IImageContent& content) {
  const PictureInfo& info = content.GetInfo();
  if (content.IsProxy() || info.format != PictureFormat::kPng ||
      int64_t{info.width} * info.height > kMaxDrawnPixels || !content.GetLink().IsValid())
    return nullptr;
  InterfacePtr<ILinkResource> link = Instantiate<ILinkResource>(db, content.GetLink());
  if (!link || link->GetData().state != LinkState::kNormal) return nullptr;
  std::filesystem::path path = PictureUtils::PathOfUri(link->GetData().uri);
  FileStamp stamp;
  if (path.empty() || StampFile(path, stamp) != kSuccess || stamp != link->GetData().stamp) return nullptr;
  cairo_surface_t* pixels = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(pixels) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(pixels) == info.width &&
      cairo_image_surface_get_height(pixels) == info.height)
    return pixels;
  cairo_surface_destroy(pixels);
  return nullptr;
}

}  // namespace

void DrawPicture(cairo_t* cr, const IDataBase* db, UID image, const PMRect& bounds) {
  InterfacePtr<IImageContent> content = Instantiate<IImageContent>(db, image);
  cairo_surface_t* pixels = content ? LoadPixels(db, *content) : nullptr;
  if (!pixels || bounds.Width() <= 0 || bounds.Height() <= 0) {
    if (pixels) cairo_surface_destroy(pixels);
    DrawPlaceholder(cr, bounds);
    return;
  }
  cairo_save(cr);
  cairo_translate(cr, bounds.left, bounds.top);
  cairo_scale(cr, bounds.Width() / cairo_image_surface_get_width(pixels),
              bounds.Height() / cairo_image_surface_get_height(pixels));
  cairo_set_source_surface(cr, pixels, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(pixels);
}

void DrawPlaceholder(cairo_t* cr, const PMRect& b) {
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, b.left, b.top, b.Width(), b.Height());
  cairo_move_to(cr, b.left, b.top);
  cairo_line_to(cr, b.right, b.bottom);
  cairo_move_to(cr, b.right, b.top);
  cairo_line_to(cr, b.left, b.bottom);
  cairo_identity_matrix(cr);
  cairo_set_line_width(cr, 0.75);
  cairo_set_source_rgb(cr, 0.55, 0.55, 0.55);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace PicturePainter
