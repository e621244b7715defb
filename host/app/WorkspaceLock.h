// WorkspaceLock: keeps other pagehost runs from saving the workspace while this run reads, changes and
// saves it, so that two runs changing preferences at once both keep their change.
#pragma once

#include <filesystem>

class WorkspaceLock {
 public:
  // Waits for and holds an exclusive lock (flock) on "<file>.lock" beside the workspace file `file`,
  // making its folder and the lock file when missing. Where neither can be made (a read-only folder),
  // nothing is held and the run goes on: saving there fails on its own. An empty `file` holds nothing.
  explicit WorkspaceLock(const std::filesystem::path& file);
  // Releases the lock.
  ~WorkspaceLock();
  WorkspaceLock(const WorkspaceLock&) = delete;
  WorkspaceLock& operator=(const WorkspaceLock&) = delete;

  bool IsHeld() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};
