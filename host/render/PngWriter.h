// PngWriter: a drawn page encoded as PNG with a fast compression: the general-purpose encoder's default
// level spends most of a page's time squeezing a few percent out of mostly blank paper.
#pragma once

#include <cairo.h>

#include "host/db/FileStream.h"

namespace PngWriter {

// Writes the RGB24 image surface `image` to `stream` as an 8-bit RGB PNG; false when the encoder failed or
// the stream did not take every byte.
bool Write(cairo_surface_t* image, FileStream& stream);

}  // namespace PngWriter
