// VyCURLProgressBar: the bar shown while pictures are fetched, when the front end shows bars: the bytes of
// one picture, or how many of an import's pictures have come. Asking it is also how the user's cancel reaches
// the transfer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/ui/RangeProgressBar.h"
#include "kesto/layout/URLTransfer.h"

namespace kesto {

class VyCURLProgressBar {
 public:
  // A bar titled "Downloading" for `task` ("Fetching URL...", "Fetching 12 pictures..."); none without a
  // front end that shows bars.
  explicit VyCURLProgressBar(const std::string& task);
  // `now` of `total` done (0: not known); false once the user has cancelled.
  bool Update(uint64_t now, uint64_t total);
  // `options` with this bar showing the bytes of each transfer, or with `count` pictures when given.
  FetchOptions Showing(FetchOptions options, size_t count = 0);

 private:
  std::unique_ptr<RangeProgressBar> bar_;
};

}  // namespace kesto
