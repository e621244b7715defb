// TerminalProgress: the progress bar pagehost draws on standard error when that is a terminal. It shows
// only once a task has run for a while, and an interrupt (Ctrl-C) while it is up asks the task to cancel.
#pragma once

#include <chrono>
#include <string>

#include "host/ui/IProgressDisplay.h"

namespace pagehost {

class TerminalProgress final : public IProgressDisplay {
 public:
  // Tasks shorter than this never show a bar.
  static constexpr std::chrono::milliseconds kShowAfter{700};

  // Makes the host's progress bars draw on standard error when it is a terminal; otherwise bars stay
  // hidden.
  static void InstallWhenInteractive();

  void Show(std::string_view title, std::string_view task) override;
  void SetFraction(double fraction) override;
  bool ProcessEvents() override;
  void Hide() override;

 private:
  void Draw();

  std::string label_;
  std::chrono::steady_clock::time_point started_;
  double fraction_ = 0;
  bool shown_ = false;
  bool interruptHandled_ = false;
};

}  // namespace pagehost
