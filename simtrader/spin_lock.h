// A lock for a few instructions' work shared between threads, whose waiter never sleeps in
// the kernel: a thread that must not wait for another (one queuing a request) would
// otherwise pay a system call whenever the two happen to meet.
#ifndef SIMTRADER_SPIN_LOCK_H
#define SIMTRADER_SPIN_LOCK_H

#include <atomic>
#include <thread>

namespace simtrader {

class SpinLock {
 public:
  void lock() noexcept {
    while (locked_.exchange(true, std::memory_order_acquire)) {
      // A holder descheduled mid-way (the machine may have fewer cores than threads) gets
      // the core back sooner than spinning would give it.
      while (locked_.load(std::memory_order_relaxed)) std::this_thread::yield();
    }
  }

  void unlock() noexcept { locked_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> locked_{false};
};

}  // namespace simtrader

#endif
