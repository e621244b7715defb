// The terminal progress bar.
#include "app/TerminalProgress.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

#include "host/ui/RangeProgressBar.h"

namespace pagehost {
namespace {

constexpr int kBarWidth = 30;

volatile std::sig_atomic_t interrupted = 0;
void (*previousHandler)(int) = SIG_DFL;

void OnInterrupt(int) {
  interrupted = 1;
}

}  // namespace

void TerminalProgress::InstallWhenInteractive() {
  if (!::isatty(STDERR_FILENO)) {
    RangeProgressBar::SetDisplayFactory({});
    return;
  }
  RangeProgressBar::SetDisplayFactory([] { return std::make_unique<TerminalProgress>(); });
}

void TerminalProgress::Show(std::string_view title, std::string_view task) {
  label_ = std::string(title) + ": " + std::string(task);
  started_ = std::chrono::steady_clock::now();
  interrupted = 0;
  // While the task runs, Ctrl-C stops the task instead of the program, so that nothing half-done is saved.
  previousHandler = std::signal(SIGINT, OnInterrupt);
  interruptHandled_ = true;
}

void TerminalProgress::SetFraction(double fraction) {
  fraction_ = std::clamp(fraction, 0.0, 1.0);
  if (shown_ || std::chrono::steady_clock::now() - started_ >= kShowAfter) Draw();
}

bool TerminalProgress::ProcessEvents() {
  return interrupted != 0;
}

void TerminalProgress::Hide() {
  if (shown_) std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  shown_ = false;
  if (interruptHandled_) std::signal(SIGINT, previousHandler);
  interruptHandled_ = false;
}

void TerminalProgress::Draw() {
  int filled = static_cast<int>(fraction_ * kBarWidth + 0.5);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(kBarWidth - filled), ' ');
  std::fprintf(stderr, "\r%s [%s] %3d%%", label_.c_str(), bar.c_str(),
               static_cast<int>(fraction_ * 100 + 0.5));
  std::fflush(stderr);
  shown_ = true;
}

}  // namespace pagehost
