// The bar over a download.
#include "kesto/layout/VyCURLProgressBar.h"

namespace kesto {
namespace {

constexpr int32_t kSteps = 1000;

}  // namespace

VyCURLProgressBar::VyCURLProgressBar(const std::string& task)
    : bar_(RangeProgressBar::Create("Downloading", task, 0, kSteps)) {}

bool VyCURLProgressBar::Update(uint64_t now, uint64_t total) {
  if (!bar_) return true;
  if (total > 0) bar_->SetPosition(static_cast<int32_t>(std::min<uint64_t>(now, total) * kSteps / total));
  return !bar_->ProcessEvents();
}

FetchOptions VyCURLProgressBar::Showing(FetchOptions options, size_t count) {
  if (!bar_) return options;
  if (count == 0) {
    options.progress = [this](uint64_t now, uint64_t total) { return Update(now, total); };
  } else {
    options.progress = [this](uint64_t, uint64_t) { return !bar_->ProcessEvents(); };
    options.pictureDone = [this, count](size_t done) { return Update(done, count); };
  }
  return options;
}

}  // namespace kesto
