// Per-thread storage keys and a spin mutex, as the host offers them to plug-ins.
#pragma once

#include <atomic>
#include <cstdint>

// A key whose value is separate for each thread; values start as nullptr.
class ThreadLocalKey {
 public:
  ThreadLocalKey();
  ThreadLocalKey(const ThreadLocalKey&) = delete;
  ThreadLocalKey& operator=(const ThreadLocalKey&) = delete;
  void* Get() const;
  void Set(void* value) const;

 private:
  uint32_t index_;
};

class SpinMutex {
 public:
  void lock() {
    while (flag_.test_and_set(std::memory_order_acquire))
      flag_.wait(true, std::memory_order_relaxed);
  }
  bool try_lock() { return !flag_.test_and_set(std::memory_order_acquire); }
  void unlock() {
    flag_.clear(std::memory_order_release);
    flag_.notify_one();
  }

 private:
  std::atomic_flag flag_;
};
