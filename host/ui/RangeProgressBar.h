// RangeProgressBar: a progress bar over a range of integer positions, as plug-ins create it for a long task;
// the front end that installed a display shows it. Without a display (tests, scripts, no terminal) there is
// no bar: Create answers null.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/ui/IProgressDisplay.h"

class RangeProgressBar {
 public:
  using DisplayFactory = std::function<std::unique_ptr<IProgressDisplay>()>;
  // The front end's displays from now on; an empty factory means no bars.
  static void SetDisplayFactory(DisplayFactory factory);
  static bool HasDisplay();

  // A bar titled `title` for `task` (UTF-8) over [minimum, maximum]; null when no display is installed or
  // the range is empty.
  static std::unique_ptr<RangeProgressBar> Create(const std::string& title, const std::string& task,
                                                  int32_t minimum, int32_t maximum);
  ~RangeProgressBar();
  RangeProgressBar(const RangeProgressBar&) = delete;
  RangeProgressBar& operator=(const RangeProgressBar&) = delete;

  // Positions outside the range are taken as its nearer end.
  void SetPosition(int32_t position);
  int32_t GetPosition() const { return position_; }
  // Lets the front end handle events; answers true once the user has cancelled (and from then on).
  bool ProcessEvents();
  bool WasCancelled() const { return cancelled_; }

 private:
  RangeProgressBar(std::unique_ptr<IProgressDisplay> display, int32_t minimum, int32_t maximum);

  std::unique_ptr<IProgressDisplay> display_;
  int32_t minimum_;
  int32_t maximum_;
  int32_t position_;
  bool cancelled_ = false;
};
