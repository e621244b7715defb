// TemporaryFileCleanup: removes a named temporary file when the process is asked to end (SIGTERM, SIGINT,
// SIGHUP) while the file is registered, then lets the signal take its usual course. Files that a kill -9
// or a crash leaves behind are not covered; unnamed temporary files need none of this.
#pragma once

#include <signal.h>

#include <string>

class TemporaryFileCleanup {
 public:
  // Longest name a registration holds (names are the short random ones the safe writer makes).
  static constexpr size_t kMaxName = 63;

  // Registers the file `name` in the folder open as `folder`, which must stay open while registered. A
  // name that is too long, or more registrations than the fixed table holds, go unguarded.
  TemporaryFileCleanup(int folder, const std::string& name);
  ~TemporaryFileCleanup();
  TemporaryFileCleanup(const TemporaryFileCleanup&) = delete;
  TemporaryFileCleanup& operator=(const TemporaryFileCleanup&) = delete;

  bool IsGuarded() const { return slot_ >= 0; }

  // Holds back the signals the cleanup answers (in this thread) while a file is created and registered, so
  // that none can end the process between the two.
  class SignalsHeld {
   public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

   private:
    sigset_t previous_;
  };

 private:
  int slot_ = -1;
};
