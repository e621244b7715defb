// IProgressDisplay: how a front end shows one progress bar (a terminal line in pagehost) and passes on the
// user's wish to cancel. Plug-ins never see it: they use RangeProgressBar.
#pragma once

#include <cstdint>
#include <string_view>

class IProgressDisplay {
 public:
  virtual ~IProgressDisplay() = default;
  // The bar appears (or may appear later, when the task turns out to be long). Texts are UTF-8.
  virtual void Show(std::string_view title, std::string_view task) = 0;
  // `fraction` of the task is done, 0..1.
  virtual void SetFraction(double fraction) = 0;
  // Lets the front end handle what the user did meanwhile; answers true once the user asked to cancel.
  virtual bool ProcessEvents() = 0;
  // The task is over; the bar goes away.
  virtual void Hide() = 0;
};
