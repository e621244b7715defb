// The GIF header reader: giflib reads the signature and the logical screen descriptor, whose size is the
// picture's; GIF has no resolution of its own.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "host/image/PictureHeaders.h"

namespace {

struct Source {
  const uint8_t* data;
  size_t size;
  size_t at;
};

int Read(GifFileType* gif, GifByteType* out, int count) {
  auto* source = static_cast<Source*>(gif->UserData);
  size_t n = count < 0 ? 0 : std::min(static_cast<size_t>(count), source->size - source->at);
  std::memcpy(out, source->data + source->at, n);
  source->at += n;
  return static_cast<int>(n);
}

}  // namespace

ErrorCode ReadGifHeader(const uint8_t* data, size_t size, PictureInfo& info) {
  if (SniffPictureFormat(data, size) != PictureFormat::kGif) return kPictureFormatError;
  Source source{data, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&source, Read, &error);
  if (!gif) return kPictureDamagedError;
  info = PictureInfo{.format = PictureFormat::kGif, .width = gif->SWidth, .height = gif->SHeight};
  DGifCloseFile(gif, &error);
  return FinishPictureInfo(info);
}
