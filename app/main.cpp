// pagehost: entry point.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "app/Output.h"
#include "app/PageHostApp.h"

namespace {

// A standard descriptor that was closed would be handed to the next file opened, and output meant for the
// terminal would land in a document or the workspace. Each closed one is held by a descriptor of "/" that
// can be neither read nor written, so that using it fails as using a closed one does.
void HoldClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    int held = ::open("/", O_PATH);
    if (held >= 0 && held != fd) {
      (void)::dup2(held, fd);
      (void)::close(held);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  HoldClosedStandardDescriptors();
  pagehost::KeepStandardOutputErrors();
  return pagehost::Run(argc, argv);
}
