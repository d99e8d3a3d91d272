#include "task_queue.h"

#include <cstddef>
#include <optional>
#include <utility>

namespace simtrader {

namespace {

// The tasks' storage kept between runs: enough for any ordinary stream of requests.
constexpr std::size_t kKeptCapacity = 1024;

}  // namespace

bool TaskQueue::Post(Task task, Clock::duration delay) {
  {
    std::lock_guard<SpinLock> lock(lock_);
    if (closed_.load()) return false;
    if (delay > Clock::duration::zero()) {
      delayed_.emplace(Clock::now() + delay, std::move(task));
    } else {
      ready_.push_back(std::move(task));
    }
  }
  Wake();
  return true;
}

void TaskQueue::Run() {
  std::vector<Task> running;
  while (!closed_.load()) {
    {
      std::lock_guard<SpinLock> lock(lock_);
      ReleaseDueTasks();
      running.swap(ready_);
    }
    if (running.empty()) {
      Sleep();
      continue;
    }
    for (Task &queued : running) {
      if (closed_.load()) break;
      // Freed once it has run, with whatever it holds.
      Task task = std::move(queued);
      task();
    }
    // Tasks left unrun by Close are dropped here, as Close drops those still queued.
    running.clear();
    // A burst (posts piling up behind a long callback) does not hold on to its storage.
    if (running.capacity() > kKeptCapacity) running.shrink_to_fit();
  }
}

void TaskQueue::Close() {
  std::vector<Task> dropped_ready;
  std::multimap<Clock::time_point, Task> dropped_delayed;
  {
    std::lock_guard<SpinLock> lock(lock_);
    closed_.store(true);
    dropped_ready.swap(ready_);
    dropped_delayed.swap(delayed_);
  }
  Wake();
}

void TaskQueue::ReleaseDueTasks() {
  if (delayed_.empty()) return;
  const Clock::time_point now = Clock::now();
  auto due = delayed_.begin();
  for (; due != delayed_.end() && due->first <= now; ++due) {
    ready_.push_back(std::move(due->second));
  }
  delayed_.erase(delayed_.begin(), due);
}

void TaskQueue::Sleep() {
  sleeping_.store(true);
  // A post made before sleeping_ was set did not wake us, so look once more; one made after
  // it will.
  std::optional<Clock::time_point> next_due;
  {
    std::lock_guard<SpinLock> lock(lock_);
    if (!ready_.empty() || closed_.load()) {
      sleeping_.store(false);
      return;
    }
    if (!delayed_.empty()) next_due = delayed_.begin()->first;
  }
  std::unique_lock<std::mutex> lock(sleep_mutex_);
  auto woken = [this] { return !sleeping_.load(); };
  if (next_due) {
    wake_.wait_until(lock, *next_due, woken);
  } else {
    wake_.wait(lock, woken);
  }
  sleeping_.store(false);
}

void TaskQueue::Wake() {
  // Read before it is written: while the thread is awake, posts only share the flag's cache
  // line rather than taking it from one another. The lock a post has just released orders
  // this read after its task is in place, so a thread that went to sleep missing the task is
  // seen asleep here.
  if (!sleeping_.load() || !sleeping_.exchange(false)) return;
  // Taking the mutex orders this wake-up after Sleep's check of sleeping_ or within its
  // wait, never between the two.
  { std::lock_guard<std::mutex> lock(sleep_mutex_); }
  wake_.notify_one();
}

}  // namespace simtrader
