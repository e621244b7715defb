// Progress bars shown by the front end's display.
#include "host/ui/RangeProgressBar.h"

#include <algorithm>

namespace {

RangeProgressBar::DisplayFactory& Factory() {
  static RangeProgressBar::DisplayFactory factory;
  return factory;
}

}  // namespace

void RangeProgressBar::SetDisplayFactory(DisplayFactory factory) {
  Factory() = std::move(factory);
}

bool RangeProgressBar::HasDisplay() {
  return static_cast<bool>(Factory());
}

std::unique_ptr<RangeProgressBar> RangeProgressBar::Create(const std::string& title, const std::string& task,
                                                           int32_t minimum, int32_t maximum) {
  if (!Factory() || maximum <= minimum) return nullptr;
  std::unique_ptr<IProgressDisplay> display = Factory()();
  if (!display) return nullptr;
  display->Show(title, task);
  return std::unique_ptr<RangeProgressBar>(new RangeProgressBar(std::move(display), minimum, maximum));
}

RangeProgressBar::RangeProgressBar(std::unique_ptr<IProgressDisplay> display, int32_t minimum,
                                   int32_t maximum)
    : display_(std::move(display)), minimum_(minimum), maximum_(maximum), position_(minimum) {}

RangeProgressBar::~RangeProgressBar() {
  display_->Hide();
}

void RangeProgressBar::SetPosition(int32_t position) {
  position_ = std::clamp(position, minimum_, maximum_);
  display_->SetFraction(static_cast<double>(position_ - minimum_) / (maximum_ - minimum_));
}

bool RangeProgressBar::ProcessEvents() {
  if (!cancelled_) cancelled_ = display_->ProcessEvents();
  return cancelled_;
}
