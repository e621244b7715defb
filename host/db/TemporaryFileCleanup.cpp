// The signal handlers of temporary files. The handler does only what is safe inside a signal handler:
// atomic loads, unlinkat, sigaction and raise.
#include "host/db/TemporaryFileCleanup.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr size_t kSignalCount = sizeof(kSignals) / sizeof(kSignals[0]);
constexpr int kSlots = 16;

struct Slot {
  std::atomic<int> folder{-1};  // -1 while the slot is free; set last, once the name is in place
  char name[TemporaryFileCleanup::kMaxName + 1] = {};
};

Slot gSlots[kSlots];
struct sigaction gPrevious[kSignalCount];
std::mutex gMutex;  // guards registering, the handlers' installation and gPrevious
int gActive = 0;

void OnSignal(int signal) {
  int savedErrno = errno;
  for (Slot& slot : gSlots) {
    int folder = slot.folder.load(std::memory_order_acquire);
    if (folder >= 0) ::unlinkat(folder, slot.name, 0);
  }
  for (size_t i = 0; i < kSignalCount; ++i) {
    if (kSignals[i] == signal) ::sigaction(signal, &gPrevious[i], nullptr);
  }
  errno = savedErrno;
  // Delivered once this handler returns, to whatever handled the signal before.
  ::raise(signal);
}

void InstallHandlers() {
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < kSignalCount; ++i)
    ::sigaction(kSignals[i], &action, &gPrevious[i]);
}

void RestoreHandlers() {
  for (size_t i = 0; i < kSignalCount; ++i)
    ::sigaction(kSignals[i], &gPrevious[i], nullptr);
}

}  // namespace

TemporaryFileCleanup::TemporaryFileCleanup(int folder, const std::string& name) {
  if (folder < 0 || name.empty() || name.size() > kMaxName) return;
  std::lock_guard lock(gMutex);
  for (int i = 0; i < kSlots; ++i) {
    if (gSlots[i].folder.load(std::memory_order_relaxed) >= 0) continue;
    std::memcpy(gSlots[i].name, name.c_str(), name.size() + 1);
    if (gActive++ == 0) InstallHandlers();
    gSlots[i].folder.store(folder, std::memory_order_release);
    slot_ = i;
    return;
  }
}

TemporaryFileCleanup::~TemporaryFileCleanup() {
  if (slot_ < 0) return;
  std::lock_guard lock(gMutex);
  gSlots[slot_].folder.store(-1, std::memory_order_release);
  if (--gActive == 0) RestoreHandlers();
}

TemporaryFileCleanup::SignalsHeld::SignalsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal : kSignals)
    sigaddset(&held, signal);
  ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

TemporaryFileCleanup::SignalsHeld::~SignalsHeld() {
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}
